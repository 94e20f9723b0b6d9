#pragma once

#include <QString>

#include <functional>

// The main window's pages, in their order; the active one decides what the per-page load and
// save commands move.
enum TPanelPage {
    ppLoopSummary,
    ppLoop1,
    ppLoop2,
    ppZoneConfig,
    ppGroupConfig,
    ppSetConfig,
    ppSiteConfig,
    ppCEConfig,
    ppNetworkConfig,
    ppViewEventLog,
    ppComments,
};

// The page's caption as its tab shows it ("Zone Config", "C & E Config"), for messages and
// findings that name a page.
QString PageCaption(TPanelPage page);

// What the sequencer reads from its caller: the active page and the loop chosen in the Loop
// Summary's "Show summary for" (1 or 2).
struct TTransferContext {
    std::function<TPanelPage()> ActivePage = [] { return ppLoopSummary; };
    std::function<int()> SummaryLoop = [] { return 1; };
};

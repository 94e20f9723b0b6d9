#pragma once

#include "model/Data.h"
#include "panel/PanelPages.h"

#include <QString>

#include <array>
#include <optional>

// What the main window knows of each of its pages, in page order: the tab caption, what the
// per-page load and save commands say on it, and the parts of the document it shows.
struct TPageEntry {
    TPanelPage Page;
    QString Caption;
    // "Load Zone Configuration From Panel "; the panel number follows. Empty: no such command.
    QString LoadCaption;
    QString SaveCaption;
    TDocParts Shows;
};

inline constexpr int PageCount = 11;
// Pages that do not name their own help context.
inline constexpr int DefaultHelpContext = 100;

const std::array<TPageEntry, PageCount>& PageTable();
const TPageEntry& PageEntry(TPanelPage page);
// The page where edits of parts are made (the first such part decides), so an undo from
// elsewhere shows what it took back; none for the panel number alone.
std::optional<TPanelPage> PageEditing(TDocParts parts);

// The load and save captions of a page for panel number n; loop pages (and the Loop Summary
// showing loop summaryLoop) name their loop.
QString LoadCaption(TPanelPage page, int panelNumber, int summaryLoop);
QString SaveCaption(TPanelPage page, int panelNumber, int summaryLoop);
// The loop a page's transfer moves (0: not a loop page).
int TransferLoop(TPanelPage page, int summaryLoop);

#pragma once

#include "app/PageTable.h"
#include "editors/common/EditorContext.h"

#include <QObject>

#include <array>
#include <functional>

class QAction;
class QTabWidget;
class QWidget;
class TfrmEventLog;
class TfrmLoopSummary;
class TfrmSiteConfig;
class TPage;

// The tabbed pages of the main window. A page shows the document when it is shown: an edit
// or a replaced document marks the pages that show the touched parts, and a marked page
// refreshes when it becomes active; the shown page refreshes when an edit from elsewhere
// touches its parts. A page change therefore refreshes at most the page that is shown.
class TPageHost : public QObject {
    Q_OBJECT

public:
    TPageHost(TEditorContext& context, QWidget* parent);

    QTabWidget& Tabs() const { return *tabs_; }
    // Builds the eleven pages in their order; guard runs a risky step and reports its code.
    using TGuard = std::function<void(const char* code, const std::function<void()>& step)>;
    void BuildPages(const TGuard& guard);
    TfrmLoopSummary& Summary() const { return *summary_; }
    TfrmSiteConfig& Site() const { return *site_; }
    TfrmEventLog& EventLog() const { return *eventLog_; }
    // The loop chosen in the Loop Summary's "Show summary for" (1 or 2).
    int SummaryLoop() const;
    // The per-page load and save commands say what they move on the active page.
    void ShowTransferCommands(QAction& load, QAction& save, int panelNumber) const;
    // The help context of the active page.
    int HelpContext() const;
    // The device dialogs open on a point of a loop page (their parent: window).
    void ConnectDeviceDialogs(QWidget* window);
    // A page takes its place in page order; pages that failed to build before it get a
    // placeholder that says so.
    void AddPage(TPage* page);
    void FillMissingPages(int count = PageCount);
    TPage* Page(TPanelPage page) const;
    TPanelPage ActivePage() const;
    void SetActivePage(TPanelPage page);

    // The active page is refreshed if something it shows changed while it was hidden.
    void ShowActive();
    // The active page runs its own activation step, then shows what changed while hidden.
    void ActivateShown();
    // The page the last window showed, unless it cannot come back: the event log page
    // (showing it opens the port) or a hidden Loop 2.
    void RestorePage(int page);
    // Everything is shown afresh: the active page now, the others when shown.
    void ShowAfresh();
    // The active page refreshes now and the others that show parts are marked.
    void RefreshActive(TDocParts parts = dpAll);
    // After a protocol or loop-count change of the document.
    void ApplyProtocol();
    void ApplyLoopCount(int loopCount);

private:
    void Mark(TDocParts parts, bool includingActive);

    TEditorContext& context_;
    QTabWidget* tabs_;
    TfrmLoopSummary* summary_ = nullptr;
    TfrmSiteConfig* site_ = nullptr;
    TfrmEventLog* eventLog_ = nullptr;
    std::array<TPage*, PageCount> page_{};
    std::array<bool, PageCount> stale_{};
    int shownLoopCount_ = 2;
    bool refreshQueued_ = false;
};

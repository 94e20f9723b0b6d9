#pragma once

#include "editors/common/Page.h"

class QPlainTextEdit;

// "View Event Log": the panel's event history, read-only. Filled by the event-history
// download and by the lines the panel prints while the page is shown; cleared, loaded from
// and saved to "*.log" files by the main window's log commands.
class TfrmEventLog : public TPage {
    Q_OBJECT

public:
    TfrmEventLog(TEditorContext& context, QWidget* parent = nullptr);

    void Refresh() override;

    // An event the download has already added to the document's log.
    void AppendShown(const QString& text);
    // A line the panel printed: it joins the document's log and the view.
    void AppendLine(const QString& text);

    void ClearDisplay();
    bool LoadFromFile(const QString& path);
    bool SaveToFile(const QString& path);

    QString Text() const;

private:
    QPlainTextEdit* txtEventLog_;
    // The document lines the view holds, so a refresh rebuilds it only after a change.
    qsizetype shownLines_ = 0;
};

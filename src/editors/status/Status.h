#pragma once

#include "panel/TransferProgress.h"

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// "Status": the progress window of every panel operation, of a long file read and the
// start-up splash. Modeless, so the main window stays usable and Cancel works between
// messages; closing it has the main window redraw every page from the configuration.
class TfrmStatus : public QDialog, public TTransferProgress {
    Q_OBJECT

public:
    explicit TfrmStatus(QWidget* parent = nullptr);

    void SetStatus(const QString& text) override;
    void SetPosition(int position) override;
    void SetMaximum(int maximum) override;
    int Position() const override;
    int Maximum() const override;
    void SetCancelVisible(bool visible) override;
    void SetOverall(int step, int steps, const QString& title) override;
    void Show() override;
    void Hide() override;
    void Close() override;

    // Shows text with Cancel hidden and paints it at once (a splash or a file read that
    // holds the event loop).
    void ShowMessage(const QString& text);

    // Run when the window is closed (the main window refreshes its pages).
    std::function<void()> OnClosed;

protected:
    // Esc and the window's close box ask to cancel, as the Cancel button does.
    void reject() override;

private:
    void CancelClicked();

    QLabel* pnlStatus_;
    QProgressBar* Progress_;
    QLabel* lblStep_;
    QPushButton* btnCancel_;
};

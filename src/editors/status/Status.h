#pragma once

#include "panel/TransferProgress.h"

#include <QDialog>
#include <QElapsedTimer>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

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

    // Names what the operation is part of ("Verifying" after a Save All): the step line then
    // reads "Verifying: step 3 of 11 …", and the elapsed time runs on from the save before.
    // An empty phase ends it.
    void SetPhase(const QString& phase);

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
    void ShowElapsed();
    void ShowOverall();

    QLabel* pnlStatus_;
    QProgressBar* Progress_;
    QLabel* lblStep_;
    QProgressBar* pbOverall_;
    QLabel* lblElapsed_;
    QPushButton* btnCancel_;
    QTimer* tick_;
    QElapsedTimer elapsed_;
    QString phase_;
    bool continues_ = false;
    int step_ = 0;
    int steps_ = 0;
};

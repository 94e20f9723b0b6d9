#include "editors/status/Status.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

TfrmStatus::TfrmStatus(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStatus"));
    setWindowTitle(QStringLiteral("Status"));
    setModal(false);

    pnlStatus_ = new QLabel(this);
    pnlStatus_->setObjectName(QStringLiteral("pnlStatus"));
    pnlStatus_->setAccessibleName(QStringLiteral("Status"));
    pnlStatus_->setFrameShape(QFrame::StyledPanel);
    pnlStatus_->setMinimumWidth(pnlStatus_->fontMetrics().averageCharWidth() * 52);
    pnlStatus_->setWordWrap(true);

    Progress_ = new QProgressBar(this);
    Progress_->setObjectName(QStringLiteral("Progress"));
    Progress_->setAccessibleName(QStringLiteral("Progress"));
    Progress_->setRange(0, 100);
    Progress_->setValue(0);
    Progress_->setTextVisible(false);

    // Where the whole operation is, beside the bar of its block.
    lblStep_ = new QLabel(this);
    lblStep_->setObjectName(QStringLiteral("lblStep"));
    lblStep_->setAccessibleName(QStringLiteral("Step"));

    // The whole operation: its blocks done, and the time since it started.
    pbOverall_ = new QProgressBar(this);
    pbOverall_->setObjectName(QStringLiteral("pbOverall"));
    pbOverall_->setAccessibleName(QStringLiteral("Whole operation"));
    pbOverall_->setRange(0, 1);
    pbOverall_->setValue(0);
    pbOverall_->setFormat(QStringLiteral("%p %"));
    lblElapsed_ = new QLabel(this);
    lblElapsed_->setObjectName(QStringLiteral("lblElapsed"));
    lblElapsed_->setAccessibleName(QStringLiteral("Elapsed time"));
    tick_ = new QTimer(this);
    tick_->setInterval(1000);
    connect(tick_, &QTimer::timeout, this, &TfrmStatus::ShowElapsed);

    btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnCancel_->setAccessibleName(QStringLiteral("Cancel"));
    btnCancel_->setAutoDefault(false);
    connect(btnCancel_, &QPushButton::clicked, this, &TfrmStatus::CancelClicked);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCancel_);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pnlStatus_);
    auto* bar = new QHBoxLayout;
    bar->addWidget(Progress_, 1);
    bar->addWidget(lblStep_);
    layout->addLayout(bar);
    auto* overall = new QHBoxLayout;
    overall->addWidget(pbOverall_, 1);
    overall->addWidget(lblElapsed_);
    layout->addLayout(overall);
    layout->addLayout(buttons);
}

void TfrmStatus::SetStatus(const QString& text)
{
    pnlStatus_->setText(text);
}

void TfrmStatus::SetPosition(int position)
{
    // The bar's range follows a position beyond it (the handshake clock runs past its end).
    if (position > Progress_->maximum())
        Progress_->setMaximum(position);
    Progress_->setValue(qMax(0, position));
    ShowOverall();
}

void TfrmStatus::SetMaximum(int maximum)
{
    Progress_->setMaximum(qMax(1, maximum));
    ShowOverall();
}

int TfrmStatus::Position() const
{
    return Progress_->value();
}

int TfrmStatus::Maximum() const
{
    return Progress_->maximum();
}

void TfrmStatus::SetCancelVisible(bool visible)
{
    btnCancel_->setVisible(visible);
}

void TfrmStatus::SetOverall(int step, int steps, const QString& title)
{
    step_ = step;
    steps_ = steps;
    lblStep_->setText(phase_.isEmpty()
                          ? QStringLiteral("Step %1 of %2: %3").arg(step).arg(steps).arg(title)
                          : QStringLiteral("%1: step %2 of %3: %4").arg(phase_).arg(step).arg(steps).arg(title));
    ShowOverall();
}

void TfrmStatus::SetPhase(const QString& phase)
{
    phase_ = phase;
    continues_ = !phase.isEmpty() && elapsed_.isValid();
    setWindowTitle(phase.isEmpty() ? QStringLiteral("Status") : QStringLiteral("Status - ") + phase);
}

// Blocks done plus the share of the current one, in thousandths.
void TfrmStatus::ShowOverall()
{
    if (steps_ <= 0)
        return;
    const double block = Progress_->maximum() > 0
        ? double(Progress_->value()) / Progress_->maximum()
        : 0.0;
    pbOverall_->setRange(0, 1000);
    pbOverall_->setValue(static_cast<int>(1000.0 * (step_ - 1 + std::min(1.0, block)) / steps_));
}

void TfrmStatus::ShowElapsed()
{
    const qint64 seconds = elapsed_.isValid() ? elapsed_.elapsed() / 1000 : 0;
    lblElapsed_->setText(QStringLiteral("Elapsed %1:%2")
                             .arg(seconds / 60)
                             .arg(seconds % 60, 2, 10, QLatin1Char('0')));
}

void TfrmStatus::Show()
{
    // A phase goes on from the operation before it: its time is not restarted.
    if (!isVisible() && !continues_)
        elapsed_.start();
    continues_ = false;
    ShowElapsed();
    tick_->start();
    show();
    raise();
}

void TfrmStatus::Hide()
{
    hide();
    tick_->stop();
    pnlStatus_->clear();
    lblStep_->clear();
    Progress_->setValue(0);
    pbOverall_->setRange(0, 1);
    pbOverall_->setValue(0);
    step_ = steps_ = 0;
}

void TfrmStatus::Close()
{
    Hide();
    if (OnClosed)
        OnClosed();
}

void TfrmStatus::ShowMessage(const QString& text)
{
    SetCancelVisible(false);
    SetStatus(text);
    Show();
    // The caller holds the event loop next: let the window appear and paint first.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmStatus::reject()
{
    if (btnCancel_->isVisible())
        CancelClicked();
}

void TfrmStatus::CancelClicked()
{
    if (OnCancel)
        OnCancel();
}

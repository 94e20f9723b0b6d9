#include "editors/status/Status.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

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
}

void TfrmStatus::SetMaximum(int maximum)
{
    Progress_->setMaximum(qMax(1, maximum));
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
    lblStep_->setText(QStringLiteral("Step %1 of %2: %3").arg(step).arg(steps).arg(title));
}

void TfrmStatus::Show()
{
    show();
    raise();
}

void TfrmStatus::Hide()
{
    hide();
    pnlStatus_->clear();
    lblStep_->clear();
    Progress_->setValue(0);
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

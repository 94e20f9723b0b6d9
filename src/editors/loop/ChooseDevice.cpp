#include "editors/loop/ChooseDevice.h"

#include "editors/loop/DeviceButtons.h"
#include "editors/loop/LoopGrid.h"
#include "model/Data.h"
#include "storage/ProgramSettings.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

TfrmChoose_Device::TfrmChoose_Device(TData& data, int loop, const QString& buttonsIniPath,
                                     QWidget* parent)
    : QDialog(parent), data_(data), loop_(loop == 2 ? 2 : 1)
{
    setObjectName(QStringLiteral("frmChoose_Device"));
    setWindowTitle(QStringLiteral("Device Selection"));
    resize(870, 470);

    auto* layout = new QVBoxLayout(this);
    grid_ = new TLoopGrid(data_, loop_, false);
    grid_->SetButtons(TDeviceButtons::Load(buttonsIniPath, data_.Loop(loop_).SystemType));
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("sbxChooseDevice"));
    scroll->setWidget(grid_);
    scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->verticalScrollBar()->setSingleStep(TLoopGeometry::CellHeight / 2);
    layout->addWidget(scroll, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setAccessibleName(QStringLiteral("Cancel"));
    cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(grid_, &TLoopGrid::PointClicked, this, &TfrmChoose_Device::OnChosen);
    connect(grid_, &TLoopGrid::PointActivated, this, [this](int point, bool) { OnChosen(point); });
    grid_->setFocus();
}

void TfrmChoose_Device::OnChosen(int point)
{
    if (point < 1 || !data_.Loop(loop_).IsFitted(point))
        return;
    address_ = point;
    accept();
}

int TfrmChoose_Device::Choose(QWidget* parent, TData& data, int loop, const QString& buttonsIniPath)
{
    TfrmChoose_Device dialog(data, loop,
                             buttonsIniPath.isEmpty() ? ProgramSettingsPath() : buttonsIniPath, parent);
    if (parent)
        dialog.move(parent->window()->frameGeometry().center() - dialog.rect().center());
    return dialog.exec() == QDialog::Accepted ? dialog.Address() : 0;
}

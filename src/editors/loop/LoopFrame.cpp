#include "editors/loop/LoopFrame.h"

#include "editors/loop/DeviceSelectionFrame.h"
#include "editors/loop/LoopGrid.h"
#include "editors/loop/LoopStatus.h"
#include "model/Data.h"
#include "storage/Prompts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int LoopHelpContext = 20;

} // namespace

TfrmLoop::TfrmLoop(TEditorContext& context, int loop, QWidget* parent)
    : TPage(context, loop == 2 ? ppLoop2 : ppLoop1, LoopHelpContext, parent), loop_(loop == 2 ? 2 : 1)
{
    setObjectName(QStringLiteral("frmLoop%1").arg(loop_));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    toolbar_ = new TDevice_Selection_Frame(this);
    layout->addWidget(toolbar_);

    grid_ = new TLoopGrid(Data(), loop_, true);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("sbxLoop%1").arg(loop_));
    scroll_->setWidget(grid_);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->verticalScrollBar()->setSingleStep(TLoopGeometry::CellHeight / 2);
    scroll_->setMinimumWidth(grid_->width() + scroll_->verticalScrollBar()->sizeHint().width()
                             + 2 * scroll_->frameWidth());
    layout->addWidget(scroll_, 1);

    auto* statusBar = new QWidget(this);
    statusBar->setObjectName(QStringLiteral("pnlLoopStatus%1").arg(loop_));
    auto* statusLayout = new QHBoxLayout(statusBar);
    statusLayout->setContentsMargins(0, 0, 0, 0);
    statusLayout->setSpacing(2);
    static const char* const names[] = {"stbDeviceType", "stbDeviceName", "stbZoneNo",
                                        "stbZoneName", "stbLoopType"};
    for (std::size_t i = 0; i < status_.size(); ++i) {
        auto* label = new QLabel(statusBar);
        label->setObjectName(QLatin1String(names[i]));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // The description gives way first, so the loop type never clips.
        label->setMinimumWidth(i == 1 ? LoopStatusWidths[i] / 2 : LoopStatusWidths[i]);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        statusLayout->addWidget(label, i == 1 || i == 4 ? 1 : 0);
        status_[i] = label;
    }
    layout->addWidget(statusBar);

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("mnuLoop%1").arg(loop_));
    actEdit_ = popup_->addAction(QStringLiteral("Edit Device"));
    actEdit_->setObjectName(QStringLiteral("mnuEditDevice"));
    actReset_ = popup_->addAction(QStringLiteral("Reset Parameters"));
    actReset_->setObjectName(QStringLiteral("mnuResetParameters"));
    connect(actEdit_, &QAction::triggered, this, [this] { RequestEdit(currentAddress_); });
    connect(actReset_, &QAction::triggered, this, [this] { ResetParameters(currentAddress_); });

    pendingClick_.setSingleShot(true);
    connect(&pendingClick_, &QTimer::timeout, this, &TfrmLoop::OnPendingClick);

    connect(grid_, &TLoopGrid::PointHovered, this, &TfrmLoop::SetCurrentAddress);
    connect(grid_, &TLoopGrid::PointClicked, this, &TfrmLoop::OnClicked);
    connect(grid_, &TLoopGrid::PointDoubleClicked, this, &TfrmLoop::OnDoubleClicked);
    connect(grid_, &TLoopGrid::ContextMenuRequested, this, &TfrmLoop::OnContextMenu);
    connect(grid_, &TLoopGrid::PointActivated, this, &TfrmLoop::OnActivated);
    connect(grid_, &TLoopGrid::EditRequested, this, &TfrmLoop::RequestEdit);
    connect(grid_, &TLoopGrid::RemoveRequested, this, &TfrmLoop::OnRemove);

    Rebuild();
}

TQEMLoop& TfrmLoop::Loop() const
{
    return Data().Loop(loop_);
}

int TfrmLoop::SelectedType() const
{
    return toolbar_->SelectedType();
}

void TfrmLoop::Refresh()
{
    // A document of another protocol (a file, the panel) needs its own toolbar and layout.
    if (toolbar_->Definition().SystemType() != Data().SystemType()) {
        Rebuild();
        return;
    }
    grid_->update();
    ShowStatus();
}

void TfrmLoop::Rebuild()
{
    toolbar_->Build(Data().SystemType(), Context().ButtonsIniPath);
    grid_->SetButtons(toolbar_->Definition());
    grid_->Relay();
    ShowStatus();
}

void TfrmLoop::PageActivated()
{
    Rebuild();
}

void TfrmLoop::ProtocolApplied()
{
    Rebuild();
}

void TfrmLoop::LoopCountChanged()
{
    ShowStatus();
}

void TfrmLoop::resizeEvent(QResizeEvent* event)
{
    TPage::resizeEvent(event);
    if (isVisible())
        grid_->Relay();
}

void TfrmLoop::keyPressEvent(QKeyEvent* event)
{
    // The grid passes on the keys it does not use: a digit chooses a toolbar button, so a
    // loop can be filled without leaving the grid.
    if (event->modifiers() == Qt::NoModifier && event->key() >= Qt::Key_1 && event->key() <= Qt::Key_9) {
        toolbar_->PressButton(event->key() - Qt::Key_0);
        return;
    }
    TPage::keyPressEvent(event);
}

QStringList TfrmLoop::StatusTexts() const
{
    QStringList texts;
    for (const QLabel* label : status_)
        texts.append(label->text());
    return texts;
}

void TfrmLoop::SetCurrentAddress(int point)
{
    currentAddress_ = point;
    ShowStatus();
}

void TfrmLoop::ShowStatus()
{
    const int point = grid_->Geometry().CellOfPoint(currentAddress_) >= 0 ? currentAddress_ : 0;
    const QStringList texts = LoopStatusTexts(Data(), loop_, point);
    for (std::size_t i = 0; i < status_.size(); ++i)
        status_[i]->setText(texts[static_cast<int>(i)]);
}

bool TfrmLoop::CanEdit(int point) const
{
    if (grid_->Geometry().CellOfPoint(point) < 0)
        return false;
    return Loop().IsEditable(point);
}

void TfrmLoop::RequestEdit(int point)
{
    if (!CanEdit(point))
        return;
    currentAddress_ = point;
    emit EditDeviceRequested(loop_, point);
}

// The placing rules of a click. askFirst: the change or removal question is still to be asked.
bool TfrmLoop::Place(int point, int type, bool askFirst)
{
    if (grid_->Geometry().CellOfPoint(point) < 0)
        return false;
    TPlacementQuestions questions;
    questions.Refuse = [this](const QString& refusal) { Prompts().error(refusal); };
    if (askFirst)
        questions.ConfirmReplace = [this](const QString& question) {
            return Prompts().confirm(question, TPromptButtons::pbYesNo, TPromptKind::pkDestructive)
                == TPromptAnswer::paYes;
        };
    questions.ConfirmGroupCommand = [this](const QString& question) {
        return Prompts().confirm(question, TPromptButtons::pbYesNo) == TPromptAnswer::paYes;
    };
    TDocEdit edit(Data(), LoopPart(loop_) | dpNames, PointLabel(loop_, point));
    const bool changed = PlaceAtPoint(Loop(), point, type, psClassDefaults, questions);
    if (changed)
        grid_->update();
    else
        edit.Unchanged();
    if (point == currentAddress_)
        ShowStatus();
    return changed;
}

bool TfrmLoop::PlaceSelected(int point)
{
    if (!toolbar_->HasSelection()) {
        Prompts().beep();
        return false;
    }
    return Place(point, SelectedType(), true);
}

void TfrmLoop::OnClicked(int point)
{
    pendingClick_.stop();
    if (!toolbar_->HasSelection())
        return;
    if (!PlacementAsksFirst(Loop(), point, SelectedType())) {
        PlaceSelected(point);
        return;
    }
    // A question now would swallow the second click of a double-click: wait for it.
    pendingPoint_ = point;
    pendingClick_.start(QApplication::doubleClickInterval());
}

void TfrmLoop::OnPendingClick()
{
    PlaceSelected(pendingPoint_);
}

void TfrmLoop::OnDoubleClicked(int point)
{
    pendingClick_.stop();
    // A refused placement was already reported by the first click.
    if (toolbar_->HasSelection() && Loop().PlacementRefusal(point, SelectedType()).isEmpty())
        Place(point, SelectedType(), true);
    RequestEdit(point);
}

void TfrmLoop::OnActivated(int point, bool enter)
{
    if (point == 0)
        return;
    if (enter && CanEdit(point)) {
        RequestEdit(point);
        return;
    }
    PlaceSelected(point);
}

void TfrmLoop::OnRemove(int point)
{
    if (point == 0 || !Loop().IsFitted(point))
        return;
    Place(point, NotFittedCode, true);
}

void TfrmLoop::ResetParameters(int point)
{
    if (grid_->Geometry().CellOfPoint(point) < 0 || !Loop().IsFitted(point))
        return;
    TDocEdit edit(Data(), LoopPart(loop_) | dpNames, QStringLiteral("Reset ") + PointLabel(loop_, point));
    TDeviceType& d = Loop().Devices[point];
    d.Name = NoNameAllocated;
    d.Zone = 0;
    Data().RebuildNameTable();
    grid_->RepaintPoint(point);
    ShowStatus();
}

void TfrmLoop::OnContextMenu(int point, const QPoint& globalPos)
{
    currentAddress_ = point;
    ShowStatus();
    if (point == 0)
        return;
    actEdit_->setEnabled(CanEdit(point));
    actReset_->setEnabled(Loop().IsFitted(point));
    popup_->popup(globalPos);
}

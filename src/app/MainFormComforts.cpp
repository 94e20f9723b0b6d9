// Undo and redo, the recent files list and the remembered window layout of the main window.
#include "app/MainForm.h"

#include "app/GuiPrompts.h"
#include "app/RecentFiles.h"
#include "app/UndoHistory.h"
#include "app/WindowLayout.h"
#include "editors/common/Page.h"
#include "model/Data.h"
#include "panel/TransferSequencer.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace {

QString Escaped(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// A control named after its caption ("Clients Name : ") without the caption's colon.
QString ControlName(QString name)
{
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

} // namespace

// Built before the actions: the history starts from the document the window was made with.
void TMainForm::CreateComforts()
{
    if (setup_.Settings) {
        settings_ = setup_.Settings;
    } else {
        ownSettings_ = std::make_unique<QSettings>(QStringLiteral("Brenmoor"), QStringLiteral("QEM Tools"));
        settings_ = ownSettings_.get();
    }
    recent_ = std::make_unique<TRecentFiles>(*settings_);

    undo_ = std::make_unique<TUndoHistory>(*data_);
    undo_->SetShortcutWindow(this);
    undo_->DescribeEdit = [this] { return DescribeEdit(); };
    undo_->Blocked = [this] { return sequencer_->Busy(); };
    // The tab bar takes the focus while the document is restored, so no editor writes a value
    // over it; the editor gets the focus back, showing the restored value.
    auto editor = std::make_shared<QPointer<QWidget>>();
    undo_->SettleFocus = [this, editor] {
        *editor = QApplication::focusWidget();
        pages_->setFocus();
    };
    undo_->Restored = [this, editor] {
        RefreshAllPages();
        QWidget* w = *editor;
        if (w && w->window() == this && w->isVisible() && w->isEnabled())
            w->setFocus();
    };
    connect(undo_.get(), &TUndoHistory::Changed, this, &TMainForm::UpdateUndoActions);
    // What a transfer stored is one step, named after the command; a completed Load All
    // replaced the whole configuration and starts a fresh history.
    connect(sequencer_.get(), &TTransferSequencer::Finished, this, [this](bool completed) {
        const bool all = sequencer_->LoadingAll();
        undo_->TransferEnded(all && completed, ShownText((all ? actLoadAll_ : actLoadPage_)->text()));
        UpdateUndoActions();
    });

    QStyle* s = style();
    actUndo_ = new QAction(this);
    actUndo_->setObjectName(QStringLiteral("actUndo"));
    actUndo_->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), s->standardIcon(QStyle::SP_ArrowBack)));
    actUndo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(actUndo_, &QAction::triggered, this, [this] { Undo(); });

    actRedo_ = new QAction(this);
    actRedo_->setObjectName(QStringLiteral("actRedo"));
    actRedo_->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), s->standardIcon(QStyle::SP_ArrowForward)));
    actRedo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(actRedo_, &QAction::triggered, this, [this] { Redo(); });
    UpdateUndoActions();
}

void TMainForm::AddEditMenu()
{
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    edit->addActions({actUndo_, actRedo_});
    // A transfer may have started since the entries were last set.
    connect(edit, &QMenu::aboutToShow, this, &TMainForm::UpdateUndoActions);
}

void TMainForm::AddUndoButtons(QToolBar* bar)
{
    for (QAction* a : {actUndo_, actRedo_}) {
        bar->addAction(a);
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a));
        button->setObjectName(a == actUndo_ ? QStringLiteral("btnUndo") : QStringLiteral("btnRedo"));
        button->setAccessibleName(a == actUndo_ ? QStringLiteral("Undo") : QStringLiteral("Redo"));
    }
}

void TMainForm::UpdateUndoActions()
{
    if (!actUndo_)
        return;
    const bool canUndo = undo_->CanUndo();
    const bool canRedo = undo_->CanRedo();
    actUndo_->setEnabled(canUndo);
    actRedo_->setEnabled(canRedo);
    actUndo_->setText(canUndo ? QStringLiteral("&Undo ") + Escaped(undo_->UndoName())
                              : QStringLiteral("Nothing to undo"));
    actRedo_->setText(canRedo ? QStringLiteral("&Redo ") + Escaped(undo_->RedoName())
                              : QStringLiteral("Nothing to redo"));
    for (QAction* a : {actUndo_, actRedo_}) {
        a->setToolTip(ShownText(a->text()));
        a->setStatusTip(a->toolTip());
    }
}

// The edit is named after the control that made it ("Zone 3 name"), else after its dialog or
// page ("edit on Zone Config").
QString TMainForm::DescribeEdit() const
{
    const QWidget* focus = QApplication::focusWidget();
    // The line edit inside a spin box is named by the spin box.
    for (const QWidget* w = focus; w && !w->isWindow() && !qobject_cast<const TPage*>(w);
         w = w->parentWidget())
        if (const QString name = ControlName(w->accessibleName()); !name.isEmpty())
            return name;
    if (focus && focus->window() != this && !focus->window()->windowTitle().isEmpty())
        return QStringLiteral("edit on ") + focus->window()->windowTitle();
    return QStringLiteral("edit on ") + ShownText(pages_->tabText(pages_->currentIndex()));
}

bool TMainForm::Undo()
{
    return undo_->Undo();
}

bool TMainForm::Redo()
{
    return undo_->Redo();
}

void TMainForm::RememberFile(const QString& path)
{
    recent_->Add(path);
    UpdateRecentMenu();
}

void TMainForm::UpdateRecentMenu()
{
    if (!mnuFile_)
        return;
    qDeleteAll(recentActions_);
    recentActions_.clear();
    const QStringList files = recent_->Files();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        auto* a = new QAction(RecentFileCaption(i + 1, path), mnuFile_);
        a->setObjectName(QStringLiteral("actRecentFile%1").arg(i + 1));
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] { OpenRecent(path); });
        mnuFile_->insertAction(recentEnd_, a);
        recentActions_.append(a);
    }
    recentEnd_->setVisible(!files.isEmpty());
}

bool TMainForm::OpenRecent(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        recent_->Remove(path);
        UpdateRecentMenu();
        prompts_->error(RecentFileGoneMessage(path));
        return false;
    }
    return OpenFile(path);
}

void TMainForm::RestoreLayout()
{
    if (const std::optional<TWindowLayout> layout = LoadWindowLayout(*settings_)) {
        ApplyLayout(*this, *layout);
        restoredPage_ = layout->Page;
    }
}

// The event log page is not brought back: showing it opens the port.
void TMainForm::RestoreLastPage()
{
    if (restoredPage_ < 0 || restoredPage_ >= PageCount || restoredPage_ == ppViewEventLog)
        return;
    if (restoredPage_ == ppLoop2 && data_->LoopCount == 1)
        return;
    SetActivePage(static_cast<TPanelPage>(restoredPage_));
}

void TMainForm::SaveLayout()
{
    SaveWindowLayout(*settings_, CurrentLayout(*this, static_cast<int>(ActivePage())));
}

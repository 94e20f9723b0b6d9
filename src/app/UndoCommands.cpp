#include "app/UndoCommands.h"

#include "app/UndoHistory.h"
#include "editors/common/Page.h"
#include "editors/site/Captions.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTabWidget>

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

TUndoCommands::TUndoCommands(TData& data, QWidget& window, QTabWidget& pages, QAction& undo,
                             QAction& redo, QMenu& editMenu)
    : QObject(&window), window_(window), pages_(pages), undo_(undo), redo_(redo),
      history_(std::make_unique<TUndoHistory>(data))
{
    history_->SetShortcutWindow(&window);
    history_->DescribeEdit = [this] { return DescribeEdit(); };
    // The tab bar takes the focus while the document is restored, so no editor writes a value
    // over it; the editor gets the focus back, showing the restored value. The restored
    // document announced itself (TData::Reset), so the pages already show it.
    auto editor = std::make_shared<QPointer<QWidget>>();
    history_->SettleFocus = [this, editor] {
        *editor = QApplication::focusWidget();
        pages_.setFocus();
    };
    history_->Restored = [this, editor] {
        QWidget* w = *editor;
        if (w && w->window() == &window_ && w->isVisible() && w->isEnabled())
            w->setFocus();
    };
    connect(history_.get(), &TUndoHistory::Changed, this, &TUndoCommands::Update);
    // A transfer may have started since the entries were last set.
    connect(&editMenu, &QMenu::aboutToShow, this, &TUndoCommands::Update);
    Update();
}

TUndoCommands::~TUndoCommands() = default;

void TUndoCommands::SetBusy(std::function<bool()> busy,
                            std::function<bool(const QString&)> refused)
{
    history_->Blocked = std::move(busy);
    refused_ = std::move(refused);
}

bool TUndoCommands::Undo()
{
    return !(refused_ && refused_(QStringLiteral("Undo"))) && history_->Undo();
}

bool TUndoCommands::Redo()
{
    return !(refused_ && refused_(QStringLiteral("Redo"))) && history_->Redo();
}

void TUndoCommands::Reset()
{
    history_->Reset();
}

void TUndoCommands::TransferEnded(bool replacedAll, const QString& label)
{
    history_->TransferEnded(replacedAll, label);
    Update();
}

void TUndoCommands::Update()
{
    const bool canUndo = history_->CanUndo();
    const bool canRedo = history_->CanRedo();
    undo_.setEnabled(canUndo);
    redo_.setEnabled(canRedo);
    undo_.setText(canUndo ? QStringLiteral("&Undo ") + Escaped(history_->UndoName())
                          : QStringLiteral("Nothing to undo"));
    redo_.setText(canRedo ? QStringLiteral("&Redo ") + Escaped(history_->RedoName())
                          : QStringLiteral("Nothing to redo"));
    for (QAction* a : {&undo_, &redo_}) {
        a->setToolTip(PlainCaption(a->text()));
        a->setStatusTip(a->toolTip());
    }
}

// The edit is named after the control that made it ("Zone 3 name"), else after its dialog or
// page ("edit on Zone Config").
QString TUndoCommands::DescribeEdit() const
{
    const QWidget* focus = QApplication::focusWidget();
    // The line edit inside a spin box is named by the spin box.
    for (const QWidget* w = focus; w && !w->isWindow() && !qobject_cast<const TPage*>(w);
         w = w->parentWidget())
        if (const QString name = ControlName(w->accessibleName()); !name.isEmpty())
            return name;
    if (focus && focus->window() != &window_ && !focus->window()->windowTitle().isEmpty())
        return QStringLiteral("edit on ") + focus->window()->windowTitle();
    return QStringLiteral("edit on ") + PlainCaption(pages_.tabText(pages_.currentIndex()));
}

#include "app/UndoCommands.h"

#include "app/PageTable.h"
#include "app/UndoHistory.h"
#include "editors/common/Page.h"
#include "editors/site/Captions.h"
#include "editors/site/SiteConfigPage.h"

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

} // namespace

TUndoCommands::TUndoCommands(TData& data, QWidget& window, QTabWidget& pages, QAction& undo,
                             QAction& redo, QMenu& editMenu)
    : QObject(&window), window_(window), pages_(pages), undo_(undo), redo_(redo),
      history_(std::make_unique<TUndoHistory>(data))
{
    history_->SetShortcutWindow(&window);
    // The tab bar takes the focus while the document is restored, so no editor writes a value
    // over it; the editor gets the focus back, showing the restored value. The restored
    // document announced itself (TData::Reset), so the pages already show it; a step taken
    // back from another page brings up the page that shows what it changed.
    auto editor = std::make_shared<QPointer<QWidget>>();
    history_->SettleFocus = [this, editor] {
        *editor = QApplication::focusWidget();
        pages_.setFocus();
    };
    history_->Restored = [this, editor](TDocParts parts) {
        ShowChangedPage(parts);
        QWidget* w = *editor;
        if (w && w->window() == &window_ && w->isVisible() && w->isEnabled())
            w->setFocus();
    };
    history_->FieldRefused = [this] {
        const auto* site = window_.findChild<TfrmSiteConfig*>();
        return site && site->FieldCheckFailing();
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

void TUndoCommands::ShowChangedPage(TDocParts parts)
{
    const auto active = static_cast<TPanelPage>(pages_.currentIndex());
    if (pages_.currentIndex() >= 0 && (PageEntry(active).Shows & parts))
        return;
    const std::optional<TPanelPage> page = PageEditing(parts);
    if (page && pages_.isTabVisible(*page) && pages_.isTabEnabled(*page))
        pages_.setCurrentIndex(*page);
}

#include "app/PageHostLock.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

namespace {

// Controls whose value the arrow keys or the wheel change.
bool ChangesWithArrows(const QObject* widget)
{
    return qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget)
        || qobject_cast<const QAbstractButton*>(widget)
        || (qobject_cast<const QAbstractSlider*>(widget) && !qobject_cast<const QScrollBar*>(widget));
}

// Keys that only move the focus or the view.
bool Looks(const QKeyEvent& key, const QObject* widget)
{
    if (key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))
        return false;
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        return !ChangesWithArrows(widget);
    default:
        return false;
    }
}

} // namespace

TPageHostLock::TPageHostLock(QTabWidget& tabs, std::function<void()> refused)
    : QObject(&tabs), tabs_(&tabs), refused_(std::move(refused))
{
}

TPageHostLock::~TPageHostLock()
{
    SetLocked(false);
}

void TPageHostLock::SetLocked(bool locked)
{
    if (locked == locked_)
        return;
    locked_ = locked;
    if (locked)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

// Inside a page of the tabs, not the tab bar and not a window of its own (a dialog a page
// opened is modal and stands on its own).
bool TPageHostLock::OnAPage(QObject* watched) const
{
    // A page's own shortcuts and actions belong to the page they were made for.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget && watched->parent())
        widget = qobject_cast<QWidget*>(watched->parent());
    if (!widget || !tabs_ || widget->window() != tabs_->window())
        return false;
    if (qobject_cast<QTabBar*>(widget) || qobject_cast<QScrollBar*>(widget))
        return false;
    for (int i = 0; i < tabs_->count(); ++i)
        if (QWidget* page = tabs_->widget(i); page && (page == widget || page->isAncestorOf(widget)))
            return true;
    return false;
}

bool TPageHostLock::eventFilter(QObject* watched, QEvent* event)
{
    bool refuse = false;
    switch (event->type()) {
    case QEvent::KeyPress:
        refuse = OnAPage(watched) && !Looks(*static_cast<QKeyEvent*>(event), watched);
        break;
    case QEvent::ShortcutOverride:
        // A page's own shortcuts (paste, delete) would edit: the window's commands decide.
        return false;
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Drop:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
        refuse = OnAPage(watched);
        break;
    case QEvent::Wheel:
        refuse = OnAPage(watched) && ChangesWithArrows(watched);
        break;
    default:
        break;
    }
    if (refuse && (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress
                   || event->type() == QEvent::Shortcut) && refused_)
        refused_();
    return refuse;
}

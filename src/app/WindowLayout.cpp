#include "app/WindowLayout.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>

namespace {

const QString GeometryKey = QStringLiteral("Window/Geometry");
const QString MaximisedKey = QStringLiteral("Window/Maximised");
const QString PageKey = QStringLiteral("Window/Page");
// Room left for a window manager's title bar and frame around a window not yet shown (its
// frame is only known once it is).
const QSize FrameAllowance(16, 48);

} // namespace

void SaveWindowLayout(QSettings& store, const TWindowLayout& layout)
{
    store.setValue(GeometryKey, layout.Geometry);
    store.setValue(MaximisedKey, layout.Maximised);
    store.setValue(PageKey, layout.Page);
    store.sync();
}

std::optional<TWindowLayout> LoadWindowLayout(QSettings& store)
{
    const QRect geometry = store.value(GeometryKey).toRect();
    if (!geometry.isValid())
        return std::nullopt;
    TWindowLayout layout;
    layout.Geometry = geometry;
    layout.Maximised = store.value(MaximisedKey, false).toBool();
    bool ok = false;
    layout.Page = store.value(PageKey, -1).toInt(&ok);
    if (!ok)
        layout.Page = -1;
    return layout;
}

QRect FitOnScreen(const QRect& saved, const QRect& available)
{
    if (!available.isValid())
        return saved;
    QRect r(saved.topLeft(), saved.size().boundedTo(available.size()));
    if (r.right() > available.right())
        r.moveRight(available.right());
    if (r.bottom() > available.bottom())
        r.moveBottom(available.bottom());
    if (r.left() < available.left())
        r.moveLeft(available.left());
    if (r.top() < available.top())
        r.moveTop(available.top());
    return r;
}

TWindowLayout CurrentLayout(const QMainWindow& window, int page)
{
    TWindowLayout layout;
    // A maximised window remembers the size it returns to.
    layout.Geometry = window.isMaximized() ? window.normalGeometry() : window.geometry();
    layout.Maximised = window.isMaximized();
    layout.Page = page;
    return layout;
}

void ApplyFirstSize(QMainWindow& window)
{
    const QFontMetrics fm = window.fontMetrics();
    const QSize wanted(fm.averageCharWidth() * 190, fm.height() * 48);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        window.resize(wanted);
        return;
    }
    // The size set is the inside of the window: the title bar and the frame come on top, so
    // a window as large as the screen would push the status bar off its bottom.
    const QRect available = screen->availableGeometry();
    const QSize room = available.size() - FrameAllowance;
    if (wanted.width() <= room.width() && wanted.height() <= room.height()) {
        window.resize(wanted);
        QRect frame(QPoint(0, 0), wanted + FrameAllowance);
        frame.moveCenter(available.center());
        window.move(frame.topLeft());
        return;
    }
    // A small screen: the window opens maximised, and comes back from it within the screen.
    window.resize(wanted.boundedTo(room));
    window.move(available.topLeft());
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void ApplyLayout(QMainWindow& window, const TWindowLayout& layout)
{
    QScreen* screen = QGuiApplication::screenAt(layout.Geometry.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect fitted = FitOnScreen(layout.Geometry, screen ? screen->availableGeometry() : QRect());
    window.resize(fitted.size());
    window.move(fitted.topLeft());
    if (layout.Maximised)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

#pragma once

#include <QRect>

#include <optional>

class QMainWindow;
class QSettings;

// The main window's size, position, maximised state and last page, kept in the settings store.
struct TWindowLayout {
    QRect Geometry;
    bool Maximised = false;
    int Page = -1;
};

void SaveWindowLayout(QSettings& store, const TWindowLayout& layout);
std::optional<TWindowLayout> LoadWindowLayout(QSettings& store);

// A window saved on a larger or another screen comes back whole on the visible one: shrunk
// to fit and moved inside it.
QRect FitOnScreen(const QRect& saved, const QRect& available);

// The layout of a shown window, and the layout applied to one before it is shown.
TWindowLayout CurrentLayout(const QMainWindow& window, int page);
// The size of a window with nothing remembered: room for the pages, never more than the screen.
void ApplyFirstSize(QMainWindow& window);
void ApplyLayout(QMainWindow& window, const TWindowLayout& layout);

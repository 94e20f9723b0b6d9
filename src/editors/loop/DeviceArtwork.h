#pragma once

#include "model/SystemType.h"

#include <QPixmap>

// The pictures of the device toolbar and the loop grid, drawn as SVG under resources/icons and
// rendered at the screen's scale. Indexes are those of Protocol_Buttons.ini: "ButtonImage" for
// the toolbar, "Image" for the drop-down lists and "DImage" for the grid, each counted per
// protocol; index 0 of the drop-down and grid sets is the removal tool.
namespace DeviceArtwork {

constexpr int GridWidth = 80;
constexpr int GridHeight = 78;
constexpr int ToolbarWidth = 53;
constexpr int ToolbarHeight = 50;
constexpr int DropDownSize = 34;

// Grid icon; an index without a picture (-1 included) gives the unknown-device icon. With
// baseSounder the icon carries the base-sounder badge (Apollo and Hochiki).
QPixmap GridIcon(TSystemType type, int index, bool baseSounder, qreal dpr);
// Toolbar button picture; an empty pixmap when the index has none.
QPixmap ToolbarPicture(TSystemType type, int index, qreal dpr);
// Drop-down list picture; an empty pixmap when the index has none.
QPixmap DropDownPicture(TSystemType type, int index, qreal dpr);

// True when the protocol has a grid picture at index (for tests of the shipped file).
bool HasGridPicture(TSystemType type, int index);

} // namespace DeviceArtwork

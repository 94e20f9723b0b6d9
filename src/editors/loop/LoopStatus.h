#pragma once

#include <QStringList>

class TData;

// The five panels of a loop page's status bar for a point of loop 1 or 2; point 0 (a blank
// cell or no cell) gives the captions "Device Type=", "Name=", "Zone No=", "Zone Name=".
QStringList LoopStatusTexts(const TData& data, int loop, int point);

// Minimum widths of the five panels.
inline constexpr int LoopStatusWidths[5] = {130, 255, 95, 165, 53};

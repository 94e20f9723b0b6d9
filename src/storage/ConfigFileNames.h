#pragma once

#include <QString>

class TQEMLoop;

// Save As: a chosen path without "_Panel" gets "_Panel" and the panel number before its
// extension (Jobs/site.QEM with panel 3 becomes Jobs/site_Panel3.QEM). A path that already
// holds "_Panel" is used as chosen.
QString PanelFileName(const QString& chosenPath, int panelNumber);

// Open: the digit after "_Panel" in a path is the panel number (clamped to 1..8). Without
// "_Panel", or with a non-digit after it, the current number stays.
int PanelNumberFromFileName(const QString& path, int currentPanelNumber);

// The comments file beside a configuration: its three-letter extension replaced by "RTF";
// a name with any other extension (or none) gets ".RTF" after the name without it.
QString CommentsFileName(const QString& configPath);

// Key of a point in the loop sections, "L" + loop + "D" + address, as in L2D17.
const QString& PointKey(const TQEMLoop& loop, int loopNumber, int point);
// Key of a point's SharedData value i (1 to 8): the point key + "SD" + i, as in L2D17SD3.
const QString& SharedDataKey(const TQEMLoop& loop, int loopNumber, int point, int i);

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class TData;
class TQEMLoop;

// The columns of a device schedule, in the order an export writes them. An import finds them
// by their headings, in any order, and may do without any but Loop and Address.
enum TScheduleColumn : int {
    sdLoop,
    sdAddress,
    sdType,
    sdTypeCode,
    sdZone,
    sdGroupOrSet,
    sdDescription,
    sdChannel1,
    sdChannel2,
    sdChannel3,
    sdBaseSounder,
    sdColumnCount,
};

using TScheduleCells = std::array<QString, sdColumnCount>;

// "Loop", "Address", "Type", "Type code", "Zone", "Group or Set", "Description",
// "Channel 1", "Channel 2", "Channel 3", "Base sounder".
QString ScheduleHeading(TScheduleColumn column);
QStringList ScheduleHeadings();
// The column a heading names (case and blanks ignored; "Channel 1 description" is also
// taken), or -1.
int ScheduleColumnOfHeading(const QString& heading);

// One row per fitted device of both loops in address order; a base sounder is a row of its
// own whose Base sounder cell reads "base of" and its detector's address.
QList<TScheduleCells> ScheduleRows(const TData& data);
// The row of one point (fitted or not).
TScheduleCells ScheduleRow(const TData& data, int loop, int point);

// The texts the cells hold, shared by export, import and the Loop Summary's copy and paste.
// "3 - Basement" (or "3" for a zone without a description; zone 0 is "Use in Special C&E").
QString ScheduleZoneText(const TData& data, int zone);
// "Group 2", "Set 5" or "Use in Special C&E".
QString ScheduleGroupText(const TData& data, int group);
QString ScheduleSetText(const TData& data, int set);
// A description as a cell shows it: empty for "No name allocated".
QString ScheduleNameText(const QString& name);

inline const QString BaseOfText = QStringLiteral("base of ");
inline const QString NoBaseSounderText = QStringLiteral("no");

#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class TData;

// What one row of a schedule (or one pasted line) asks of one point. A field left empty
// leaves the point's value alone.
struct TPointEdit {
    int Loop = 1;
    int Point = 0;
    std::optional<int> TypeCode;
    // Zone, sounder group or output set, as the device's class says.
    std::optional<int> Zone;
    std::optional<QString> Name;
    std::array<std::optional<QString>, 3> SubNames;
    // 0 takes the base sounder away; 1..16 fits it in that sounder group.
    std::optional<int> BaseSounderGroup;
};

enum TScheduleChangeKind : int { skAdded, skChanged, skRemoved, skUntouched };

struct TScheduleChange {
    TScheduleChangeKind Kind = skUntouched;
    // The line of the schedule or of the pasted block; 0 for a device no row names.
    int Line = 0;
    TPointEdit Edit;
    // "Loop 1 address 12 (Optical)".
    QString Device;
    // One text per value that changes: "Description: 'Hall' -> 'Main hall'".
    QStringList Details;
};

// A refused cell: its line, its column (1 = the first; 0 when the whole line or file is
// meant) and the column's heading.
struct TScheduleError {
    int Line = 0;
    int Column = 0;
    QString Heading;
    QString Message;

    // "Line 12, column 7 (Description): ...".
    QString Text() const;
};

// The outcome of reading a schedule or a pasted block against the document: either the
// changes (each row's edit, in line order, followed by the fitted devices no row names) or
// the refusals. Nothing in the document has changed yet.
struct TSchedulePlan {
    static constexpr int MaxErrorsListed = 100;

    QList<TScheduleChange> Changes;
    QList<TScheduleError> Errors;
    // Checking stops at MaxErrorsListed refusals: the lines left unchecked then.
    int LinesNotChecked = 0;

    bool Refused() const { return !Errors.isEmpty(); }
    int Count(TScheduleChangeKind kind) const;
    // Added, changed and removed together.
    int ChangeCount() const;
};

// Reads a device schedule in CSV (see DeviceSchedule.h for its columns) against data. A
// null separator is found from the heading line.
TSchedulePlan PlanScheduleImport(const TData& data, const QString& csvText,
                                 QChar separator = QChar());
// The largest schedule file read at all (two full loops take well under 1 MB).
inline constexpr qint64 MaxScheduleFileBytes = 8 * 1024 * 1024;
// Reads a schedule file: a regular file of at most MaxScheduleFileBytes, as UTF-8, or as
// Latin-1 when it is not UTF-8; UTF-16 and UTF-32 are refused by name. False with the
// reason in error.
bool ReadScheduleText(const QString& path, QString& text, QString* error);
bool DecodeScheduleText(const QByteArray& bytes, QString& text, QString* error,
                        const QString& path);

// The Loop Summary's columns a tab-separated block can be pasted into.
enum TPasteColumn : int { pcZone, pcDescription };
// A block copied from a spreadsheet (lines of tab-separated cells) pasted over the Loop
// Summary from firstPoint down, starting in column first: from the Zone/Group/Set column a
// line holds a zone (group, set) and a description, from the Device Name column only a
// description. The same checks as an import; blank cells leave values alone.
TSchedulePlan PlanSchedulePaste(const TData& data, int loop, int firstPoint, TPasteColumn first,
                                const QString& block);
// Points of a loop as the same kind of block: zone (group, set) and description per line.
QString ScheduleCopyText(const TData& data, int loop, const QList<int>& points);

// Applies the accepted plan's edits in their order with the model's own operations, then
// rebuilds the name table. True when anything changed (the document is then modified).
bool ApplyScheduleChanges(TData& data, const QList<TScheduleChange>& changes,
                          const QString& label = QStringLiteral("Import Device Schedule"));

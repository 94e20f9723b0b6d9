#include "schedule/ScheduleImport.h"

#include "model/Data.h"
#include "model/Placement.h"
#include "schedule/DeviceSchedule.h"
#include "schedule/ScheduleFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QHash>

#include <algorithm>
#include <utility>

namespace {

constexpr int MaxDescription = 24;

// A long text is named by its start.
QString Shortened(const QString& text)
{
    return text.size() <= 40 ? text : text.left(40) + QStringLiteral("\u2026");
}

// Why the panel cannot hold a description: a control character, or a character outside its
// Latin-1 set; empty when it can.
QString TextRefusal(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
            return QStringLiteral("character %1 is a control character (code %2); a description "
                                  "holds printable characters only")
                .arg(i + 1)
                .arg(c.unicode());
        if (c.unicode() > 0xFF)
            return QStringLiteral("'%1' (character %2) is not one the panel can show; it holds "
                                  "Latin-1 letters only")
                .arg(c)
                .arg(i + 1);
    }
    return {};
}
const QChar Arrow = QChar(0x2192);
const QString GroupCommandsDisabledNote =
    QStringLiteral("Group commands will be disabled to this Sounder Group");

// One line of input: its cells by schedule column and the column each came from (1 = the
// first; 0 = absent).
struct TRowInput {
    int Line = 0;
    TScheduleCells Cells;
    std::array<int, sdColumnCount> From{};
};

QString Quoted(const QString& text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString FoldedTrim(const QString& text)
{
    return text.trimmed().toCaseFolded();
}

// The number a zone, group or set cell holds: "3", "3 - Basement", "Zone 3- Basement",
// "Group 2", "Set 5" or "Use in Special C&E" (0). Empty when there is no number.
std::optional<int> CellNumber(const QString& cell)
{
    QString text = cell.trimmed();
    if (text.compare(SpecialCEName, Qt::CaseInsensitive) == 0)
        return 0;
    for (const char* word : {"zone", "group", "set"}) {
        const QString w = QString::fromLatin1(word);
        if (text.startsWith(w, Qt::CaseInsensitive)) {
            text = text.mid(w.size()).trimmed();
            break;
        }
    }
    qsizetype digits = 0;
    while (digits < text.size() && digits < 6 && text.at(digits).isDigit())
        ++digits;
    if (digits == 0)
        return std::nullopt;
    if (digits < text.size()) {
        const QChar next = text.at(digits);
        if (!next.isSpace() && next != QLatin1Char('-'))
            return std::nullopt;
    }
    return text.left(digits).toInt();
}

class TPlanner {
public:
    explicit TPlanner(const TData& data) : doc_(data)
    {
        work_.AssignContent(data);
    }

    void Row(const TRowInput& row);
    TSchedulePlan Finish();

    void Refuse(int line, int column, const QString& heading, const QString& message)
    {
        plan_.Errors.append({line, column, heading, message});
    }
    bool Refused() const { return !plan_.Errors.isEmpty(); }
    // Enough refusals to show: a file of rubbish is not checked to its end.
    bool Full() const { return plan_.Errors.size() >= TSchedulePlan::MaxErrorsListed; }
    void NotChecked(int lines) { plan_.LinesNotChecked = lines; }
    void Refuse(const TRowInput& row, TScheduleColumn column, const QString& message)
    {
        Refuse(row.Line, row.From[column], ScheduleHeading(column), message);
    }

private:
    bool Locate(const TRowInput& row, int& loop, int& point);
    std::optional<int> Type(const TRowInput& row, const TQEMLoop& loop, int point, bool& ok);
    std::optional<int> TypeByName(const TQEMLoop& loop, int point, const QString& name) const;
    void Describe(TScheduleChange& change) const;
    QString DeviceLabel(int loopNumber, const TQEMLoop& loop, int point) const;
    // The point and its base-sounder slot are as they were.
    bool Unchanged(int loopNumber, int point) const;
    void CheckNameCount();

    const TData& doc_;
    TData work_;
    TSchedulePlan plan_;
    QHash<int, int> lineOfPoint_;
    struct TNamedCell {
        int Line;
        int Column;
        TScheduleColumn Which;
        QString Text;
    };
    QList<TNamedCell> names_;
};

void ApplyEdit(TData& data, const TPointEdit& e)
{
    TQEMLoop& loop = data.Loop(e.Loop);
    const int p = e.Point;
    TDeviceType& d = loop.Devices[p];
    if (e.TypeCode && *e.TypeCode != d.TypeCode) {
        // The Loop Summary's rule (settings, remote LED, base sounder, mark); the plan was
        // checked and accepted, group commands included. The name table is rebuilt once at
        // the end.
        TPlacementQuestions accepted;
        accepted.ConfirmGroupCommand = [](const QString&) { return true; };
        const auto namesChanged = std::exchange(loop.OnNamesChanged, nullptr);
        PlaceAtPoint(loop, p, *e.TypeCode, psKeepNamed, accepted);
        loop.OnNamesChanged = namesChanged;
    }
    if (!loop.IsFitted(p))
        return;
    if (e.Zone && *e.Zone != d.Zone) {
        d.Zone = *e.Zone;
        d.SharedData[1] = *e.Zone;
    }
    if (e.Name)
        d.Name = *e.Name;
    if (loop.HasChannelNames(p))
        for (int k = 1; k <= 3; ++k)
            if (const auto& sub = e.SubNames[static_cast<std::size_t>(k - 1)])
                d.SubName(k) = *sub;
    if (e.BaseSounderGroup) {
        const int slot = p + TQEMLoop::BaseSounderOffset;
        if (*e.BaseSounderGroup > 0)
            loop.SetBaseSounder(p, true, *e.BaseSounderGroup);
        else if (slot <= TQEMLoop::MaxPoints && loop.BaseSounderOwner(slot) == p)
            loop.SetBaseSounder(p, false, 0);
    }
}

bool TPlanner::Locate(const TRowInput& row, int& loopNumber, int& point)
{
    if (row.From[sdLoop] == 0 && row.From[sdAddress] == 0)
        return false;
    bool ok = false;
    loopNumber = row.Cells[sdLoop].trimmed().toInt(&ok);
    if (!ok || (loopNumber != 1 && loopNumber != 2)) {
        Refuse(row, sdLoop, QStringLiteral("%1 is not loop 1 or 2").arg(Quoted(row.Cells[sdLoop])));
        return false;
    }
    const TQEMLoop& loop = doc_.Loop(loopNumber);
    const QString address = row.Cells[sdAddress].trimmed();
    const int number = address.toInt(&ok);
    point = 0;
    if (ok) {
        point = number >= 1 && number <= TQEMLoop::MaxPoints ? loop.PointFromAddress(number) : 0;
    } else {
        // System Sensor points may also be named as the engineer sees them ("S5", "M12").
        for (int p = 1; p <= loop.NoLoopDevices() && point == 0; ++p)
            if (loop.PointLabel(p).compare(address, Qt::CaseInsensitive) == 0)
                point = p;
    }
    if (point == 0) {
        const int points = loop.NoLoopDevices();
        if (ok && loop.SystemType == stSysSensorLoop && number == 100)
            Refuse(row, sdAddress,
                   QStringLiteral("address 100 lies between the sensors (1 to 99) and the modules "
                                  "(101 to %1) of a System Sensor loop")
                       .arg(loop.PointAddress(points)));
        else
            Refuse(row, sdAddress,
                   QStringLiteral("%1 is not an address of the loop (%2: 1 to %3)")
                       .arg(Quoted(address), SystemTypeName(loop.SystemType))
                       .arg(loop.PointAddress(points)));
        return false;
    }
    const int key = loopNumber * 1000 + point;
    if (const auto previous = lineOfPoint_.constFind(key); previous != lineOfPoint_.cend()) {
        Refuse(row, sdAddress,
               QStringLiteral("loop %1 address %2 is already on line %3")
                   .arg(loopNumber)
                   .arg(address)
                   .arg(previous.value()));
        return false;
    }
    lineOfPoint_.insert(key, row.Line);
    return true;
}

std::optional<int> TPlanner::TypeByName(const TQEMLoop& loop, int point, const QString& name) const
{
    const QString wanted = FoldedTrim(name);
    if (wanted == FoldedTrim(loop.DeviceShortName(NotFittedCode)))
        return NotFittedCode;
    // A short name can stand for several codes: the point's own code is kept when it is one.
    if (FoldedTrim(loop.DeviceShortName(loop.Devices[point].TypeCode)) == wanted
        && loop.IsFitted(point))
        return loop.Devices[point].TypeCode;
    for (int code = 0; code < NotFittedCode; ++code)
        if (IsKnownDeviceCode(loop.SystemType, code)
            && FoldedTrim(loop.DeviceShortName(code)) == wanted)
            return code;
    return std::nullopt;
}

std::optional<int> TPlanner::Type(const TRowInput& row, const TQEMLoop& loop, int point, bool& ok)
{
    ok = true;
    const int current = loop.Devices[point].TypeCode;
    const QString codeText = row.Cells[sdTypeCode].trimmed();
    const QString nameText = row.Cells[sdType].trimmed();
    std::optional<int> byCode;
    if (!codeText.isEmpty()) {
        bool number = false;
        const int code = codeText.toInt(&number);
        // A code the catalogue has no name for is kept where the point already has it.
        if (number && (code == current || code == NotFittedCode || code == 255
                       || IsKnownDeviceCode(loop.SystemType, code))) {
            byCode = code >= NotFittedCode ? NotFittedCode : code;
        } else {
            Refuse(row, sdTypeCode,
                   QStringLiteral("%1 is not a device type code of the %2 protocol")
                       .arg(Quoted(codeText), SystemTypeName(loop.SystemType)));
            ok = false;
            return std::nullopt;
        }
    }
    if (nameText.isEmpty())
        return byCode;
    std::optional<int> byName = TypeByName(loop, point, nameText);
    if (!byName && byCode && FoldedTrim(loop.DeviceShortName(*byCode)) == FoldedTrim(nameText))
        byName = byCode;
    if (!byName) {
        Refuse(row, sdType,
               QStringLiteral("%1 is not a device type of the %2 protocol")
                   .arg(Quoted(nameText), SystemTypeName(loop.SystemType)));
        ok = false;
        return std::nullopt;
    }
    if (byCode && FoldedTrim(loop.DeviceShortName(*byCode)) != FoldedTrim(nameText)) {
        Refuse(row, sdType,
               QStringLiteral("%1 is not the type of code %2 (%3)")
                   .arg(Quoted(nameText))
                   .arg(*byCode)
                   .arg(loop.DeviceShortName(*byCode)));
        ok = false;
        return std::nullopt;
    }
    return byCode ? byCode : byName;
}

void TPlanner::Row(const TRowInput& row)
{
    int loopNumber = 0;
    int point = 0;
    if (!Locate(row, loopNumber, point))
        return;
    const TQEMLoop& loop = work_.Loop(loopNumber);
    TPointEdit edit;
    edit.Loop = loopNumber;
    edit.Point = point;

    bool ok = true;
    edit.TypeCode = Type(row, loop, point, ok);
    if (!ok)
        return;
    const bool anyValue = std::any_of(row.Cells.begin() + sdZone, row.Cells.end(),
                                      [](const QString& c) { return !c.trimmed().isEmpty(); });
    if (!edit.TypeCode && !loop.IsFitted(point)) {
        if (anyValue)
            Refuse(row, sdType,
                   QStringLiteral("no device is fitted at loop %1 address %2; give its type")
                       .arg(loopNumber)
                       .arg(row.Cells[sdAddress].trimmed()));
        return;
    }
    if (edit.TypeCode && *edit.TypeCode < NotFittedCode) {
        const int code = *edit.TypeCode;
        const QString refusal = loop.PlacementRefusal(point, code);
        if (!refusal.isEmpty()) {
            Refuse(row, sdType, refusal);
            return;
        }
        // Apollo slots beyond the grid hold base sounders and nothing else.
        const int owner = point - TQEMLoop::BaseSounderOffset;
        if (point > loop.MaxCellCount() && (code != loop.BaseSounderCode() || owner < 1)) {
            Refuse(row, sdAddress,
                   owner < 1 ? QStringLiteral("no device can be fitted at address %1")
                                   .arg(loop.PointAddress(point))
                             : QStringLiteral("address %1 is the base sounder of address %2; "
                                              "only a base sounder (code %3) can be fitted there")
                                   .arg(loop.PointAddress(point))
                                   .arg(owner)
                                   .arg(loop.BaseSounderCode()));
            return;
        }
    }

    // The type goes first: the class it gives decides how the other cells read.
    TPointEdit typeOnly = edit;
    ApplyEdit(work_, typeOnly);
    if (!loop.IsFitted(point)) {
        plan_.Changes.append({skUntouched, row.Line, edit, QString(), {}});
        return;
    }
    edit.TypeCode.reset();

    const bool sounder = loop.IsSounderClass(point);
    const bool io = loop.IsIOClass(point);
    const TScheduleColumn zoneColumn = sounder || io ? sdGroupOrSet : sdZone;
    const QString zoneText = row.Cells[zoneColumn].trimmed();
    if (!zoneText.isEmpty()) {
        const int maximum = sounder ? MaxGroup : io ? MaxGroup : MaxFireZone;
        const QString what = sounder ? QStringLiteral("group") : io ? QStringLiteral("set")
                                                                     : QStringLiteral("zone");
        const std::optional<int> number = CellNumber(zoneText);
        const int current = loop.Devices[point].Zone;
        if (!number) {
            Refuse(row, zoneColumn, QStringLiteral("%1 is not a %2").arg(Quoted(zoneText), what));
            ok = false;
        } else if (*number == current) {
            // The value the point has is no change, even one outside today's lists (a file or
            // the panel may carry it).
        } else if (*number > maximum) {
            Refuse(row, zoneColumn,
                   QStringLiteral("%1 %2 is outside 0 to %3").arg(what).arg(*number).arg(maximum));
            ok = false;
        } else if (loop.HasChannelNames(point)) {
            Refuse(row, zoneColumn,
                   QStringLiteral("the %1 of a device with channels is chosen for each channel "
                                  "in its I/O configuration")
                       .arg(what));
            ok = false;
        } else {
            edit.Zone = *number;
        }
    }

    auto name = [&](TScheduleColumn column, const QString& current) -> std::optional<QString> {
        const QString& text = row.Cells[column];
        if (text.trimmed().isEmpty() || text == current)
            return std::nullopt;
        if (const QString refusal = TextRefusal(text); !refusal.isEmpty()) {
            Refuse(row, column, refusal);
            ok = false;
            return std::nullopt;
        }
        if (text.size() > MaxDescription) {
            Refuse(row, column,
                   QStringLiteral("%1 has %2 characters; the panel keeps at most %3")
                       .arg(Quoted(Shortened(text)))
                       .arg(text.size())
                       .arg(MaxDescription));
            ok = false;
            return std::nullopt;
        }
        names_.append({row.Line, row.From[column], column, text});
        return text;
    };
    const TDeviceType& d = loop.Devices[point];
    edit.Name = name(sdDescription, d.Name);
    if (loop.HasChannelNames(point))
        for (int k = 0; k < 3; ++k)
            edit.SubNames[static_cast<std::size_t>(k)] =
                name(static_cast<TScheduleColumn>(sdChannel1 + k), d.SubName(k + 1));

    const QString base = row.Cells[sdBaseSounder].trimmed();
    if (!base.isEmpty() && !base.startsWith(BaseOfText.trimmed(), Qt::CaseInsensitive)) {
        const bool none = base.compare(NoBaseSounderText, Qt::CaseInsensitive) == 0
            || base.compare(QStringLiteral("none"), Qt::CaseInsensitive) == 0;
        const std::optional<int> group = none ? std::optional<int>(0) : CellNumber(base);
        const int slot = point + TQEMLoop::BaseSounderOffset;
        if (!group || *group > MaxGroup) {
            Refuse(row, sdBaseSounder,
                   QStringLiteral("%1 is neither 'no' nor a sounder group 1 to %2")
                       .arg(Quoted(base))
                       .arg(MaxGroup));
            ok = false;
        } else if (*group > 0 && !(loop.HasBaseSounderSlot(point) && loop.IsAnalogueSensor(point))) {
            Refuse(row, sdBaseSounder,
                   QStringLiteral("a base sounder can be fitted only with a detector that has a "
                                  "base-sounder address"));
            ok = false;
        } else if (*group > 0 && loop.IsFitted(slot) && loop.BaseSounderOwner(slot) != point) {
            Refuse(row, sdBaseSounder,
                   QStringLiteral("address %1, where the base sounder would go, holds another device")
                       .arg(loop.PointAddress(slot)));
            ok = false;
        } else {
            edit.BaseSounderGroup = *group;
        }
    }
    if (!ok)
        return;
    ApplyEdit(work_, edit);
    if (typeOnly.TypeCode)
        edit.TypeCode = typeOnly.TypeCode;
    plan_.Changes.append({skUntouched, row.Line, edit, QString(), {}});
}

void TPlanner::CheckNameCount()
{
    // Only an import that takes the table past the limit is refused; a document that is
    // already over it (a file may be) keeps what it has.
    const int before = doc_.NameTable.Count();
    const int after = work_.NameTable.Count();
    if (after <= TNameTable::MaxNames || after <= before)
        return;
    // The new names in line order, matched as the table matches them; the first one beyond
    // the limit is refused.
    TNameTable seen;
    seen.Empty();
    QList<const TNamedCell*> fresh;
    for (const TNamedCell& cell : names_)
        if (doc_.FindName(cell.Text) < 0 && seen.FindName(cell.Text) < 0) {
            seen.Append(cell.Text);
            fresh.append(&cell);
        }
    const int excess = after - std::max<int>(TNameTable::MaxNames, before);
    const qsizetype first = std::max<qsizetype>(0, fresh.size() - excess);
    if (first < fresh.size())
        Refuse(fresh[first]->Line, fresh[first]->Column, ScheduleHeading(fresh[first]->Which),
               TooManyNamesMessage);
    else
        Refuse(0, 0, QString(), TooManyNamesMessage);
}

QString TPlanner::DeviceLabel(int loopNumber, const TQEMLoop& loop, int point) const
{
    return QStringLiteral("Loop %1 address %2 (%3)")
        .arg(loopNumber)
        .arg(loop.PointLabel(point), loop.DeviceShortName(loop.Devices[point].TypeCode));
}

bool TPlanner::Unchanged(int loopNumber, int point) const
{
    const TQEMLoop& before = doc_.Loop(loopNumber);
    const TQEMLoop& after = work_.Loop(loopNumber);
    auto same = [&](int p) {
        const TDeviceType& a = before.Devices[p];
        const TDeviceType& b = after.Devices[p];
        return a.TypeCode == b.TypeCode && a.Zone == b.Zone && a.Name == b.Name
            && a.SubName1 == b.SubName1 && a.SubName2 == b.SubName2 && a.SubName3 == b.SubName3;
    };
    const int slot = point + TQEMLoop::BaseSounderOffset;
    return same(point) && (slot > TQEMLoop::MaxPoints || same(slot));
}

void TPlanner::Describe(TScheduleChange& change) const
{
    const TQEMLoop& before = doc_.Loop(change.Edit.Loop);
    const TQEMLoop& after = work_.Loop(change.Edit.Loop);
    const int p = change.Edit.Point;
    const TDeviceType& a = before.Devices[p];
    const TDeviceType& b = after.Devices[p];
    const bool wasFitted = before.IsFitted(p);
    const bool isFitted = after.IsFitted(p);
    change.Device = DeviceLabel(change.Edit.Loop, isFitted ? after : before, p);
    // A new device lists the values it gets; a changed one what each value was and becomes.
    auto detail = [&](const QString& field, const QString& from, const QString& to) {
        if (!wasFitted && !to.isEmpty())
            change.Details << QStringLiteral("%1: %2").arg(field, Quoted(to));
        else if (wasFitted && from != to)
            change.Details << QStringLiteral("%1: %2 %3 %4").arg(field, Quoted(from), Arrow, Quoted(to));
    };
    if (!isFitted) {
        change.Kind = wasFitted ? skRemoved : skUntouched;
        return;
    }
    const TScheduleCells rowBefore = ScheduleRow(doc_, change.Edit.Loop, p);
    const TScheduleCells rowAfter = ScheduleRow(work_, change.Edit.Loop, p);
    detail(QStringLiteral("Type"), rowBefore[sdType], rowAfter[sdType]);
    if (a.Zone != b.Zone || !wasFitted) {
        const TScheduleColumn column = after.IsSounderClass(p) || after.IsIOClass(p) ? sdGroupOrSet : sdZone;
        const QString field = column == sdZone ? QStringLiteral("Zone") : QStringLiteral("Group or Set");
        detail(field, wasFitted ? rowBefore[column] : QString(), rowAfter[column]);
    }
    for (int c = sdDescription; c < sdColumnCount; ++c)
        detail(ScheduleHeading(static_cast<TScheduleColumn>(c)), rowBefore[static_cast<std::size_t>(c)],
               rowAfter[static_cast<std::size_t>(c)]);
    // Accepting the schedule answers the loop editor's question for such a point.
    if ((!wasFitted || a.TypeCode != b.TypeCode) && after.NeedsGroupCommandConsent(p, b.TypeCode))
        change.Details << GroupCommandsDisabledNote;
    if (!change.Details.isEmpty())
        change.Kind = wasFitted ? skChanged : skAdded;
}

TSchedulePlan TPlanner::Finish()
{
    work_.RebuildNameTable();
    CheckNameCount();
    if (plan_.Refused()) {
        plan_.Changes.clear();
        return std::move(plan_);
    }
    for (TScheduleChange& change : plan_.Changes)
        Describe(change);
    // The fitted devices no row names stay as they are.
    const int points = doc_.NoLoopDevices();
    for (int l = 1; l <= 2; ++l)
        for (int p = 1; p <= points; ++p)
            if (doc_.Loop(l).IsFitted(p) && !lineOfPoint_.contains(l * 1000 + p)) {
                TScheduleChange change;
                change.Edit.Loop = l;
                change.Edit.Point = p;
                if (Unchanged(l, p))
                    change.Device = DeviceLabel(l, doc_.Loop(l), p);
                else
                    Describe(change);
                plan_.Changes.append(change);
            }
    return std::move(plan_);
}

} // namespace

QString TScheduleError::Text() const
{
    QString where = Line > 0 ? QStringLiteral("Line %1").arg(Line) : QString();
    if (Column > 0)
        where += QStringLiteral(", column %1").arg(Column);
    if (!Heading.isEmpty())
        where += QStringLiteral(" (%1)").arg(Heading);
    return where.isEmpty() ? Message : where + QStringLiteral(": ") + Message;
}

int TSchedulePlan::Count(TScheduleChangeKind kind) const
{
    return static_cast<int>(std::count_if(Changes.cbegin(), Changes.cend(),
                                          [kind](const TScheduleChange& c) { return c.Kind == kind; }));
}

int TSchedulePlan::ChangeCount() const
{
    return Count(skAdded) + Count(skChanged) + Count(skRemoved);
}

TSchedulePlan PlanScheduleImport(const TData& data, const QString& csvText, QChar separator)
{
    TPlanner planner(data);
    const TCsvText csv = ParseCsv(csvText, separator);
    if (!csv.Error.isEmpty()) {
        TSchedulePlan plan;
        plan.Errors.append({0, 0, QString(), csv.Error});
        return plan;
    }
    if (csv.Records.isEmpty()) {
        planner.Refuse(1, 0, QString(), QStringLiteral("the schedule is empty"));
        return planner.Finish();
    }
    const TCsvRecord& headings = csv.Records.first();
    std::array<int, sdColumnCount> index{};
    index.fill(-1);
    for (int i = 0; i < headings.Cells.size(); ++i) {
        const int column = ScheduleColumnOfHeading(headings.Cells.at(i));
        if (column < 0)
            continue;
        if (index[static_cast<std::size_t>(column)] >= 0)
            planner.Refuse(headings.Line, i + 1, QString(),
                           QStringLiteral("%1 heads column %2 as well; which one counts is not clear")
                               .arg(Quoted(ScheduleHeading(static_cast<TScheduleColumn>(column))))
                               .arg(index[static_cast<std::size_t>(column)] + 1));
        else
            index[static_cast<std::size_t>(column)] = i;
    }
    for (TScheduleColumn needed : {sdLoop, sdAddress})
        if (index[needed] < 0)
            planner.Refuse(headings.Line, 0, QString(),
                           QStringLiteral("no column is headed %1").arg(Quoted(ScheduleHeading(needed))));
    if (index[sdLoop] < 0 || index[sdAddress] < 0 || planner.Refused())
        return planner.Finish();

    for (qsizetype r = 1; r < csv.Records.size(); ++r) {
        if (planner.Full()) {
            planner.NotChecked(static_cast<int>(csv.Records.size() - r));
            break;
        }
        const TCsvRecord& record = csv.Records.at(r);
        TRowInput row;
        row.Line = record.Line;
        for (int c = 0; c < sdColumnCount; ++c) {
            const int i = index[static_cast<std::size_t>(c)];
            if (i >= 0 && i < record.Cells.size())
                row.Cells[static_cast<std::size_t>(c)] = RestoredCell(record.Cells.at(i));
            row.From[static_cast<std::size_t>(c)] = i + 1;
        }
        planner.Row(row);
    }
    return planner.Finish();
}

bool ReadScheduleText(const QString& path, QString& text, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(path, why);
        return false;
    };
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("it is not a regular file"));
    if (info.size() > MaxScheduleFileBytes)
        return fail(QStringLiteral("it is %1 MB; a device schedule is at most %2 MB")
                        .arg(QString::number(double(info.size()) / (1024 * 1024), 'f', 1))
                        .arg(MaxScheduleFileBytes / (1024 * 1024)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const QByteArray bytes = file.read(MaxScheduleFileBytes + 1);
    if (bytes.size() > MaxScheduleFileBytes)
        return fail(QStringLiteral("it is larger than %1 MB").arg(MaxScheduleFileBytes / (1024 * 1024)));
    return DecodeScheduleText(bytes, text, error, path);
}

bool DecodeScheduleText(const QByteArray& bytes, QString& text, QString* error, const QString& path)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(path, why);
        return false;
    };
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")
        || (bytes.size() >= 2 && (bytes.at(0) == 0 || bytes.at(1) == 0)))
        return fail(QStringLiteral("it is UTF-16 (or UTF-32) text; save it as CSV UTF-8 and "
                                   "import that"));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8.decode(bytes);
    // Not UTF-8: a spreadsheet's "CSV" in the Windows code page, read as Latin-1.
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return true;
}

TSchedulePlan PlanSchedulePaste(const TData& data, int loopNumber, int firstPoint,
                                TPasteColumn first, const QString& block)
{
    TPlanner planner(data);
    loopNumber = loopNumber == 2 ? 2 : 1;
    const TQEMLoop& loop = data.Loop(loopNumber);
    QStringList lines = block.split(QLatin1Char('\n'));
    // A spreadsheet ends the block with a line break.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const QString zoneHeading = QStringLiteral("Zone/Group/Set");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        QString text = lines.at(i);
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        const QStringList cells = text.split(QLatin1Char('\t'));
        if (planner.Full()) {
            planner.NotChecked(static_cast<int>(lines.size() - i));
            break;
        }
        const int point = firstPoint + static_cast<int>(i);
        if (point < 1 || point > loop.MaxCellCount()) {
            planner.Refuse(line, 0, QString(),
                           QStringLiteral("the block reaches past the last address of the loop (%1)")
                               .arg(loop.PointLabel(loop.MaxCellCount())));
            break;
        }
        const int width = first == pcZone ? 2 : 1;
        if (cells.size() > width) {
            planner.Refuse(line, width + 1, QString(),
                           QStringLiteral("only the Zone/Group/Set and Device Name columns take a paste"));
            continue;
        }
        TRowInput row;
        row.Line = line;
        row.Cells[sdLoop] = QString::number(loopNumber);
        row.Cells[sdAddress] = QString::number(loop.PointAddress(point));
        row.From[sdLoop] = row.From[sdAddress] = -1;
        if (first == pcZone) {
            row.Cells[sdZone] = row.Cells[sdGroupOrSet] = cells.value(0);
            row.From[sdZone] = row.From[sdGroupOrSet] = 1;
            row.Cells[sdDescription] = cells.value(1);
            row.From[sdDescription] = 2;
        } else {
            row.Cells[sdDescription] = cells.value(0);
            row.From[sdDescription] = 1;
        }
        planner.Row(row);
    }
    TSchedulePlan plan = planner.Finish();
    // The pasted block's columns are named as the Loop Summary heads them.
    for (TScheduleError& error : plan.Errors) {
        if (error.Heading == ScheduleHeading(sdZone) || error.Heading == ScheduleHeading(sdGroupOrSet))
            error.Heading = zoneHeading;
        else if (error.Heading == ScheduleHeading(sdDescription))
            error.Heading = QStringLiteral("Device Name");
        else if (error.Heading == ScheduleHeading(sdAddress) || error.Heading == ScheduleHeading(sdType))
            error.Column = 0;
    }
    return plan;
}

QString ScheduleCopyText(const TData& data, int loopNumber, const QList<int>& points)
{
    QString text;
    const TQEMLoop& loop = data.Loop(loopNumber == 2 ? 2 : 1);
    for (const int point : points) {
        if (point < 1 || point > loop.NoLoopDevices())
            continue;
        const TScheduleCells row = ScheduleRow(data, loopNumber == 2 ? 2 : 1, point);
        const QString zone = row[sdZone].isEmpty() ? row[sdGroupOrSet] : row[sdZone];
        text += zone + QLatin1Char('\t') + row[sdDescription] + QLatin1Char('\n');
    }
    return text;
}

bool ApplyScheduleChanges(TData& data, const QList<TScheduleChange>& changes,
                          const QString& label)
{
    TDocEdit edit(data, dpLoop1 | dpLoop2 | dpNames, label);
    bool changed = false;
    for (const TScheduleChange& change : changes) {
        ApplyEdit(data, change.Edit);
        changed = changed || change.Kind != skUntouched;
    }
    if (!changed) {
        edit.Unchanged();
        return false;
    }
    data.RebuildNameTable();
    return true;
}

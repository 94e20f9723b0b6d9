#include "schedule/DeviceSchedule.h"

#include "model/Data.h"

namespace {

const std::array<const char*, sdColumnCount> Headings = {
    "Loop",        "Address",   "Type",      "Type code", "Zone",         "Group or Set",
    "Description", "Channel 1", "Channel 2", "Channel 3", "Base sounder",
};

// The matching form of a heading: blanks removed, letter case folded.
QString HeadingKey(const QString& heading)
{
    QString key;
    key.reserve(heading.size());
    for (const QChar c : heading)
        if (!c.isSpace())
            key.append(c.toCaseFolded());
    return key;
}

} // namespace

QString ScheduleHeading(TScheduleColumn column)
{
    return QString::fromLatin1(Headings[static_cast<std::size_t>(column)]);
}

QStringList ScheduleHeadings()
{
    QStringList headings;
    for (int c = 0; c < sdColumnCount; ++c)
        headings << ScheduleHeading(static_cast<TScheduleColumn>(c));
    return headings;
}

int ScheduleColumnOfHeading(const QString& heading)
{
    QString key = HeadingKey(heading);
    if (key.startsWith(QStringLiteral("channel")) && key.endsWith(QStringLiteral("description")))
        key.chop(static_cast<int>(qstrlen("description")));
    for (int c = 0; c < sdColumnCount; ++c)
        if (key == HeadingKey(ScheduleHeading(static_cast<TScheduleColumn>(c))))
            return c;
    return -1;
}

QString ScheduleZoneText(const TData& data, int zone)
{
    if (zone == 0)
        return SpecialCEName;
    const QString number = QString::number(zone);
    if (zone < 0 || zone > MaxZone || data.ZoneList.Zone(zone).Name.isEmpty())
        return number;
    return number + QStringLiteral(" - ") + data.ZoneList.Zone(zone).Name;
}

QString ScheduleGroupText(const TData& data, int group)
{
    return group >= 0 && group <= MaxGroup ? data.GroupList.GroupName(group)
                                           : QStringLiteral("Group ") + QString::number(group);
}

QString ScheduleSetText(const TData& data, int set)
{
    return set >= 0 && set <= MaxSet ? data.GroupList.SetName(set)
                                     : QStringLiteral("Set ") + QString::number(set);
}

QString ScheduleNameText(const QString& name)
{
    return name == NoNameAllocated ? QString() : name;
}

TScheduleCells ScheduleRow(const TData& data, int loopNumber, int point)
{
    const TQEMLoop& loop = data.Loop(loopNumber);
    const TDeviceType& d = loop.Devices[point];
    TScheduleCells row;
    row[sdLoop] = QString::number(loopNumber);
    row[sdAddress] = QString::number(loop.PointAddress(point));
    if (!loop.IsFitted(point)) {
        row[sdType] = loop.DeviceShortName(NotFittedCode);
        row[sdTypeCode] = QString::number(NotFittedCode);
        return row;
    }
    row[sdType] = loop.DeviceShortName(d.TypeCode);
    row[sdTypeCode] = QString::number(d.TypeCode);
    if (loop.IsSounderClass(point))
        row[sdGroupOrSet] = ScheduleGroupText(data, d.Zone);
    else if (loop.IsIOClass(point))
        row[sdGroupOrSet] = ScheduleSetText(data, d.Zone);
    else
        row[sdZone] = ScheduleZoneText(data, d.Zone);
    row[sdDescription] = ScheduleNameText(d.Name);
    if (loop.HasChannelNames(point))
        for (int k = 1; k <= 3; ++k)
            row[sdChannel1 + k - 1] = ScheduleNameText(d.SubName(k));

    const int slot = point + TQEMLoop::BaseSounderOffset;
    if (const int owner = loop.BaseSounderOwner(point))
        row[sdBaseSounder] = BaseOfText + QString::number(loop.PointAddress(owner));
    else if (slot <= TQEMLoop::MaxPoints && loop.BaseSounderOwner(slot) == point)
        row[sdBaseSounder] = ScheduleGroupText(data, loop.Devices[slot].Zone);
    else if (loop.HasBaseSounderSlot(point) && loop.IsAnalogueSensor(point))
        row[sdBaseSounder] = NoBaseSounderText;
    return row;
}

QList<TScheduleCells> ScheduleRows(const TData& data)
{
    QList<TScheduleCells> rows;
    const int points = data.NoLoopDevices();
    rows.reserve(2 * points);
    for (int loopNumber = 1; loopNumber <= 2; ++loopNumber)
        for (int point = 1; point <= points; ++point)
            if (data.Loop(loopNumber).IsFitted(point))
                rows.append(ScheduleRow(data, loopNumber, point));
    return rows;
}

#include "editors/devices/DeviceLists.h"

#include "model/Data.h"

#include <QComboBox>

QStringList ZoneEntries(const TData& data)
{
    QStringList entries{SpecialCEName};
    for (int z = 1; z <= MaxFireZone; ++z)
        entries.append(ZoneText(data, z));
    return entries;
}

QStringList GroupEntries(const TData& data)
{
    QStringList entries{SpecialCEName};
    for (int g = 1; g <= MaxGroup; ++g)
        entries.append(data.GroupList.GroupName(g));
    return entries;
}

QStringList SetEntries(const TData& data)
{
    QStringList entries{SpecialCEName};
    for (int s = 1; s <= MaxGroup; ++s)
        entries.append(data.GroupList.SetName(s));
    return entries;
}

QStringList GroupNumberEntries()
{
    QStringList entries{SpecialCEName};
    for (int g = 1; g <= MaxGroup; ++g)
        entries.append(QStringLiteral("Group ") + QString::number(g));
    return entries;
}

QString ZoneText(const TData& data, int zone)
{
    if (zone == 0)
        return data.ZoneList.Zone(0).Name.isEmpty() ? SpecialCEName : data.ZoneList.Zone(0).Name;
    const QString number = QStringLiteral("Zone ") + QString::number(zone) + QStringLiteral("- ");
    if (zone < 0 || zone > MaxZone)
        return number + UnknownEntry;
    return number + data.ZoneList.Zone(zone).Name;
}

QString GroupText(const TData& data, int group)
{
    return group >= 0 && group <= MaxGroup ? data.GroupList.GroupName(group) : UnknownEntry;
}

QString SetText(const TData& data, int set)
{
    return set >= 0 && set <= MaxSet ? data.GroupList.SetName(set) : UnknownEntry;
}

int ListIndex(int value, int count)
{
    return value >= 0 && value < count ? value : -1;
}

void FillChoice(QComboBox& box, const QStringList& entries, int value)
{
    box.clear();
    box.addItems(entries);
    SelectChoice(box, value);
}

void SelectChoice(QComboBox& box, int value)
{
    box.setPlaceholderText(UnknownEntry);
    box.setCurrentIndex(ListIndex(value, box.count()));
}

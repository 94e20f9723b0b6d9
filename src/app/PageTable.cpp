#include "app/PageTable.h"

#include <QtGlobal>

namespace {

const QString LoopLoad = QStringLiteral("Load Loop %1 From Panel ");
const QString LoopSave = QStringLiteral("Save Loop %1 To Panel ");

QString Entry(const QString& text, int panelNumber)
{
    return text.isEmpty() ? QString() : text + QString::number(panelNumber);
}

} // namespace

const std::array<TPageEntry, PageCount>& PageTable()
{
    constexpr TDocParts loops = dpLoop1 | dpLoop2 | dpNames | dpPanel;
    static const std::array<TPageEntry, PageCount> table = {{
        {ppLoopSummary, QStringLiteral("Loop Summary"), LoopLoad, LoopSave,
         loops | dpZones | dpGroups | dpSets | dpSite},
        {ppLoop1, QStringLiteral("Loop 1"), LoopLoad, LoopSave, loops | dpZones},
        {ppLoop2, QStringLiteral("Loop 2"), LoopLoad, LoopSave, loops | dpZones},
        {ppZoneConfig, QStringLiteral("Zone Config"),
         QStringLiteral("Load Zone Configuration From Panel "),
         QStringLiteral("Save Zone Configuration To Panel "), dpZones | dpSite | dpPanel},
        {ppGroupConfig, QStringLiteral("Group Config"), QStringLiteral("Load Group Config From Panel "),
         QStringLiteral("Save Group Config To Panel "), dpGroups | dpZones | dpSite | dpPanel},
        {ppSetConfig, QStringLiteral("Set Config"), QStringLiteral("Load Set Config From Panel "),
         QStringLiteral("Save Set Config To Panel "), dpSets | dpZones | dpSite | dpPanel},
        {ppSiteConfig, QStringLiteral("Site Config"), QStringLiteral("Load Site Config From Panel "),
         QStringLiteral("Save Site Config To Panel "), dpSite | dpPanel},
        {ppCEConfig, QStringLiteral("C && E Config"),
         QStringLiteral("Load Cause && Effect table From Panel "),
         QStringLiteral("Save Cause && Effect table To Panel "),
         dpCauseEffect | dpZones | dpGroups | dpSets | dpSite | dpPanel},
        {ppNetworkConfig, QStringLiteral("Network Config"),
         QStringLiteral("Load Network Configuration From Panel "),
         QStringLiteral("Save Network Configuration To Panel "), dpNetwork | dpSite | dpPanel},
        {ppViewEventLog, QStringLiteral("View Event Log"),
         QStringLiteral("Load Event History From Panel "), QString(), dpEventLog},
        {ppComments, QStringLiteral("Comments"), QString(), QString(), dpComments},
    }};
    return table;
}

const TPageEntry& PageEntry(TPanelPage page)
{
    return PageTable()[static_cast<std::size_t>(qBound(0, static_cast<int>(page), PageCount - 1))];
}

std::optional<TPanelPage> PageEditing(TDocParts parts)
{
    static const std::pair<TDocPart, TPanelPage> editedOn[] = {
        {dpLoop1, ppLoop1},         {dpLoop2, ppLoop2},       {dpNames, ppLoopSummary},
        {dpZones, ppZoneConfig},    {dpGroups, ppGroupConfig}, {dpSets, ppSetConfig},
        {dpSite, ppSiteConfig},     {dpCauseEffect, ppCEConfig}, {dpNetwork, ppNetworkConfig},
        {dpComments, ppComments},
    };
    for (const auto& [part, page] : editedOn)
        if (parts.testFlag(part))
            return page;
    return std::nullopt;
}

int TransferLoop(TPanelPage page, int summaryLoop)
{
    switch (page) {
    case ppLoopSummary: return summaryLoop == 2 ? 2 : 1;
    case ppLoop1: return 1;
    case ppLoop2: return 2;
    default: return 0;
    }
}

QString LoadCaption(TPanelPage page, int panelNumber, int summaryLoop)
{
    const int loop = TransferLoop(page, summaryLoop);
    const QString text = PageEntry(page).LoadCaption;
    return Entry(loop ? text.arg(loop) : text, panelNumber);
}

QString SaveCaption(TPanelPage page, int panelNumber, int summaryLoop)
{
    const int loop = TransferLoop(page, summaryLoop);
    const QString text = PageEntry(page).SaveCaption;
    return Entry(loop ? text.arg(loop) : text, panelNumber);
}

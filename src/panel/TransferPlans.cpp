// The plan of each operation: its blocks in the order the panel expects them.

#include "panel/TransferPlanner.h"

#include "comms/ZOLPanelComms.h"
#include "model/Data.h"

namespace {

// The operation's title: the page's caption; the event log's transfer is its history.
QString PanelPageTitle(TPanelPage page)
{
    return page == ppViewEventLog ? QStringLiteral("Event History") : PageCaption(page);
}

} // namespace

TTransferPlan TTransferPlanner::LoadAll(bool linkUp)
{
    TTransferPlan plan{QStringLiteral("Load All"), false, true, {}};
    plan.Blocks = {Version(linkUp, false), LoopTypeLoad(false), PointsLoad(1, false),
                   PointsLoad(2, true),    NamesLoad(),         ZonesLoad(true),
                   GroupsLoad(),           SetsLoad(),          SiteLoad(),
                   NetworkLoad(),          CauseEffectLoad()};
    return plan;
}

TTransferPlan TTransferPlanner::SaveAll()
{
    TTransferPlan plan{QStringLiteral("Save All"), true, false, {}};
    plan.Blocks = {LinkCheck(),   Version(true, true), LoopTypeLoad(true), LoopTypeSave(),
                   PointsSave(1, true), PointsSave(2, true), NamesSave(), ZonesSave(),
                   GroupsSave(),  SetsSave(),  SiteSave(true), NetworkSave(), CauseEffectSave()};
    return plan;
}

TTransferPlan TTransferPlanner::LoadPage(TPanelPage page, int summaryLoop, bool linkUp)
{
    TTransferPlan plan{PanelPageTitle(page), false, true, {Version(linkUp, false)}};
    auto& b = plan.Blocks;
    switch (page) {
    case ppLoopSummary:
    case ppLoop1:
    case ppLoop2: {
        const int loop = page == ppLoopSummary ? (summaryLoop == 2 ? 2 : 1) : page == ppLoop1 ? 1 : 2;
        b.insert(b.end(), {LoopTypeLoad(false), PointsLoad(loop, false), NamesLoad()});
        // The Loop Summary shows the zones and the site's settings too.
        if (page == ppLoopSummary)
            b.insert(b.end(), {ZonesLoad(false), SiteLoad()});
        else
            plan.RefreshAtEnd = false;
        break;
    }
    case ppZoneConfig: b.insert(b.end(), {ZonesLoad(false), SiteLoad()}); break;
    case ppGroupConfig: b.insert(b.end(), {GroupsLoad(), SiteLoad()}); break;
    case ppSetConfig: b.push_back(SetsLoad()); break;
    case ppSiteConfig: b.push_back(SiteLoad()); break;
    case ppCEConfig: b.push_back(CauseEffectLoad()); break;
    case ppNetworkConfig: b.push_back(NetworkLoad()); break;
    case ppViewEventLog:
    case ppComments: b.clear(); break;
    }
    return plan;
}

TTransferPlan TTransferPlanner::SavePage(TPanelPage page, int summaryLoop)
{
    TTransferPlan plan{PanelPageTitle(page), true, false, {LinkCheck(), Version(true, true)}};
    auto& b = plan.Blocks;
    switch (page) {
    case ppLoopSummary:
    case ppLoop1:
    case ppLoop2: {
        const int loop = page == ppLoopSummary ? (summaryLoop == 2 ? 2 : 1) : page == ppLoop1 ? 1 : 2;
        b.insert(b.end(), {LoopTypeLoad(true), LoopPresent(loop), LoopTypeSave(),
                           PointsSave(loop, false), NamesSave()});
        if (page == ppLoopSummary)
            b.insert(b.end(), {ZoneChecks(), ZonesSave(), SiteSave(false)});
        break;
    }
    case ppZoneConfig: b.insert(b.end(), {ZonesSave(), SiteSave(false)}); break;
    case ppGroupConfig: b.insert(b.end(), {GroupsSave(), SiteSave(false)}); break;
    case ppSetConfig: b.push_back(SetsSave()); break;
    case ppSiteConfig: b.push_back(SiteSave(true)); break;
    case ppCEConfig: b.push_back(CauseEffectSave()); break;
    case ppNetworkConfig: b.push_back(NetworkSave()); break;
    case ppViewEventLog:
    case ppComments: b.clear(); break;
    }
    return plan;
}

TTransferPlan TTransferPlanner::LoadNames(bool linkUp)
{
    return {QStringLiteral("Device names"), false, false, {Version(linkUp, false), NamesLoad()}};
}

TTransferPlan TTransferPlanner::SaveNames()
{
    return {QStringLiteral("Device names"), true, false,
            {LinkCheck(), Version(true, true), NamesSave()}};
}

TTransferPlan TTransferPlanner::LoadEvents(bool clear, bool linkUp)
{
    TTransferPlan plan{QStringLiteral("Event History"), false, false, {Version(linkUp, false)}};
    for (TTransferBlock& block : EventsLoad(clear))
        plan.Blocks.push_back(std::move(block));
    // The panel goes on printing events as text lines; packets are looked at until the
    // history read is proven.
    plan.OnCompleted = [this] { comms_.IsASCIIOnly = true; };
    return plan;
}

#include "panel/PanelPages.h"

QString PageCaption(TPanelPage page)
{
    switch (page) {
    case ppLoopSummary: return QStringLiteral("Loop Summary");
    case ppLoop1: return QStringLiteral("Loop 1");
    case ppLoop2: return QStringLiteral("Loop 2");
    case ppZoneConfig: return QStringLiteral("Zone Config");
    case ppGroupConfig: return QStringLiteral("Group Config");
    case ppSetConfig: return QStringLiteral("Set Config");
    case ppSiteConfig: return QStringLiteral("Site Config");
    case ppCEConfig: return QStringLiteral("C & E Config");
    case ppNetworkConfig: return QStringLiteral("Network Config");
    case ppViewEventLog: return QStringLiteral("View Event Log");
    case ppComments: return QStringLiteral("Comments");
    }
    return QString();
}

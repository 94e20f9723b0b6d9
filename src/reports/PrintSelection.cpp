#include "reports/PrintSelection.h"

void TPrintSelection::ApplyVersionGates(const QString& version)
{
    SetEnabled = version >= QStringLiteral("08 00");
    NetworkEnabled = version >= QStringLiteral("04 00");
    if (!SetEnabled)
        PrintSet = false;
    if (!NetworkEnabled)
        PrintNetwork = false;
}

void TPrintSelection::PrintSections(TReports& reports) const
{
    reports.OnlyFitted = OnlyFitted;
    reports.Order = Order;
    if (PrintSite)
        reports.PrintSiteSection();
    if (PrintLoop)
        reports.PrintLoopSections();
    if (PrintZone)
        reports.PrintZoneSection();
    if (PrintGroup)
        reports.PrintGroupSection();
    if (PrintSet)
        reports.PrintOutputSetSection();
    if (PrintCauseEffect)
        reports.PrintCauseEffectSection();
    if (PrintNetwork)
        reports.PrintNetworkSection();
}

void TPrintSelection::RecordAll(TReports& reports) const
{
    PrintSections(reports);
    if (PrintComments)
        reports.PrintCommentsPage();
    if (PrintLog)
        reports.PrintEventLog();
    if (PrintChangeRecord)
        reports.PrintChangeRecord();
}

void TPrintSelection::RunPrint(TReports& reports) const
{
    RecordAll(reports);
    reports.FinishAndPrint();
}

void TPrintSelection::RunPreview(TReports& reports) const
{
    RecordAll(reports);
    reports.FinishAndPreview();
}

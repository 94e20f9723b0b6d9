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

void TPrintSelection::RunPrint(TReports& reports) const
{
    PrintSections(reports);
    // The comments and the log reach the printer before the job that carries the report.
    if (PrintComments)
        reports.PrintCommentsPage();
    if (PrintLog)
        reports.PrintEventLog();
    reports.FinishAndPrint();
}

void TPrintSelection::RunPreview(TReports& reports) const
{
    PrintSections(reports);
    reports.FinishAndPreview();
}

// Times the printed report of the largest configuration: Hochiki, both loops fully fitted,
// every third point a module with four channels. Prints the pages recorded per second, the
// time to record the whole report and to write it as PDF, each against its budget, and the
// ratio against the New configuration's report recorded in the same run.
// With --pdf FILE it also leaves that configuration's report in FILE, for a look at the pages.
#include "model/Data.h"
#include "reports/PrintSelection.h"
#include "reports/Reports.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double RecordBudgetMs = 250.0;
constexpr double PdfBudgetMs = 1000.0;
constexpr int Runs = 7;

void FillLargest(TData& data)
{
    data.SwitchProtocol(stHochikiLoop);
    const int channelCodes[] = {21, 25, 57, 120, 124, 125, 127};
    const int plainCodes[] = {136, 152, 168, 216, 0, 18};
    for (int l = 1; l <= 2; ++l) {
        TQEMLoop& loop = data.Loop(l);
        for (int p = 1; p <= loop.MaxCellCount(); ++p) {
            const int code = p % 3 == 0 ? channelCodes[p % 7] : plainCodes[p % 6];
            loop.PlaceDevice(p, code);
            TDeviceType& d = loop.Devices[p];
            d.Zone = 1 + p % 32;
            d.Name = QStringLiteral("Point %1 corridor %2").arg(p).arg(l);
            if (p % 3 == 0)
                for (int k = 0; k < 4; ++k)
                    d.SharedData[2 * k + 1] = k == 3 ? 63 : (k == 2 ? 128 + p % 16 : p % 32);
        }
    }
    data.RebuildNameTable();

    // Every site, zone, C&E and network field filled, as on a commissioned site.
    TSiteConfig& site = data.SiteConfig;
    site.ClientName = QStringLiteral("Harbour View Hotel Ltd");
    site.ClientAddress1 = QStringLiteral("12 Quay Street");
    site.ClientAddress2 = QStringLiteral("Old Town");
    site.ClientAddress3 = QStringLiteral("Portsmouth");
    site.ClientAddress4 = QStringLiteral("Hampshire");
    site.ClientAddress5 = QStringLiteral("PO1 2AB");
    site.PanelLocation = QStringLiteral("Main reception, behind the desk");
    site.InstallerName = QStringLiteral("Southern Fire Systems");
    site.InstallerAddress1 = QStringLiteral("Unit 4, Dock Road");
    site.InstallerAddress2 = QStringLiteral("Fareham");
    site.InstallerAddress5 = QStringLiteral("PO16 9XY");
    site.EngineerNo = QStringLiteral("SN-7781");
    site.Engineer = QStringLiteral("J. Carter");
    site.QuiescentString = QStringLiteral("Harbour View Hotel");
    site.MaintenanceString = QStringLiteral("Service due - call 01234 567890");
    site.MaintenanceDate = QDate(2025, 3, 14);
    site.PhasedDelay = 30;
    site.InvestigationPeriod = InfiniteDelay;
    site.InvestigationPeriod1 = 180;
    site.NightBegin = QStringLiteral("22:00");
    site.NightEnd = QStringLiteral("07:00");
    site.ReCalTime = QStringLiteral("03:00");
    site.BST_Adjustment = true;
    site.MainVersion = QStringLiteral("09A07");
    for (int z = 1; z <= MaxZone; ++z) {
        TZone& zone = data.ZoneList.Zone(z);
        zone.Name = QStringLiteral("Floor %1 east wing").arg(z);
        zone.SounderTimer = z % 3 == 0 ? -1 : 30 * z;
        zone.Relay1Timer = 65;
        zone.GroupConfig[1 + z % 16] = 1 + z % 2;
        zone.SetConfig[1 + z % 18] = 1 + z % 3;
    }
    data.C_ETable.SetAction(3, 10);
    data.C_ETable.SetActionTarget(3, 4);
    data.C_ETable.SetCondition(3, csTrigger, CEAndConditionIndex, true);
    data.C_ETable.SetConditionTarget(3, csTrigger, 2, 4);
    data.C_ETable.SetCondition(3, csReset, 5, false);
    for (int n = 1; n <= MaxNetworkPanels; ++n) {
        data.RepeaterList.Repeaters[n].Name = QStringLiteral("Block %1 panel").arg(n);
        data.RepeaterList.Repeaters[n].Fitted = n <= 4;
        data.Network.AcceptAlarms[n] = n <= 4;
    }
    data.PanelNumber = 2;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct TTiming {
    double RecordMs = 0;
    double PdfMs = 0;
    int Pages = 0;
};

TTiming Measure(const TData& data, const QString& pdf)
{
    std::vector<double> record;
    std::vector<double> write;
    int pages = 0;
    TPrintSelection all;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer t;
        t.start();
        TReports reports(data, rdPdf);
        all.PrintSections(reports);
        reports.Engine().EndDoc();
        record.push_back(t.nsecsElapsed() / 1e6);
        pages = reports.Engine().PageCount();

        reports.Engine().Printer().setOutputFileName(pdf);
        t.restart();
        reports.Engine().PrintAll();
        write.push_back(t.nsecsElapsed() / 1e6);
    }
    return {Median(record), Median(write), pages};
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));

    TData baseline;
    const TTiming base = Measure(baseline, pdf);
    TData largest;
    FillLargest(largest);
    const TTiming big = Measure(largest, pdf);

    const QStringList args = app.arguments();
    const qsizetype keep = args.indexOf(QStringLiteral("--pdf"));
    if (keep > 0 && keep + 1 < args.size()) {
        TReports reports(largest, rdPdf);
        TPrintSelection().PrintSections(reports);
        reports.Engine().EndDoc();
        reports.Engine().Printer().setOutputFileName(args.at(keep + 1));
        reports.Engine().PrintAll();
    }

    std::printf("report of the largest configuration: %d pages (New configuration: %d pages)\n",
                big.Pages, base.Pages);
    std::printf("  recorded in %.1f ms, %.0f pages/s; budget %.0f ms, ratio %.2f\n",
                big.RecordMs, big.Pages / (big.RecordMs / 1000.0), RecordBudgetMs,
                big.RecordMs / RecordBudgetMs);
    std::printf("  written as PDF in %.1f ms; budget %.0f ms, ratio %.2f\n", big.PdfMs,
                PdfBudgetMs, big.PdfMs / PdfBudgetMs);
    std::printf("  against the New configuration (%.1f ms recorded, %.1f ms written): "
                "recording x%.2f, writing x%.2f\n",
                base.RecordMs, base.PdfMs, big.RecordMs / base.RecordMs,
                big.PdfMs / base.PdfMs);
    return big.RecordMs <= RecordBudgetMs && big.PdfMs <= PdfBudgetMs ? 0 : 1;
}

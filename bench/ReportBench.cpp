// Times the printed report of the largest configuration: Hochiki, both loops fully fitted,
// every third point a module with four channels. Prints the pages recorded per second, the
// time to record the whole report and to write it as PDF, each against its budget, and the
// ratio against the New configuration's report recorded in the same run.
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

// Times the device schedule on the largest configuration: CSV and XLSX export, import of the
// exported CSV, a paste of 253 rows into the Loop Summary's columns, and the refusal of 1 MB
// of rubbish. Prints the median of each against its budget, and the ratio against reading
// the same bytes as plain text in the same run.
#include "model/Data.h"
#include "schedule/ScheduleFiles.h"
#include "schedule/ScheduleImport.h"
#include "support/LargestConfiguration.h"
#include "support/MedianTime.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 21;

void Report(const char* what, double ms, double budget)
{
    std::printf("%-28s median %7.2f ms  budget %3.0f ms: %s\n", what, ms, budget,
                ms <= budget ? "within" : "OVER");
}

// Lines of printable junk under a valid heading line, about bytes long.
QString Rubbish(qsizetype bytes)
{
    QString text = QStringLiteral("Loop,Address,Type,Zone,Description\n");
    QRandomGenerator random(21);
    while (text.size() < bytes) {
        const int length = 10 + static_cast<int>(random.bounded(70));
        for (int i = 0; i < length; ++i)
            text += QChar(static_cast<char16_t>(0x21 + random.bounded(0x5d)));
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    TData doc;
    FillLargestConfiguration(doc);

    const QByteArray csv = ScheduleCsv(doc, QLatin1Char(','));
    const QString csvText = QString::fromUtf8(csv);
    // The baseline: the same bytes decoded and cut into lines and cells, nothing checked.
    qsizetype cells = 0;
    const double plainMs = MedianMs(Runs, [&] {
        cells = 0;
        for (const QString& line : QString::fromUtf8(csv).split(QLatin1Char('\n')))
            cells += line.split(QLatin1Char(',')).size();
    });
    const QString csvPath = dir.filePath(QStringLiteral("schedule.csv"));
    const QString xlsxPath = dir.filePath(QStringLiteral("schedule.xlsx"));
    const double csvMs = MedianMs(Runs, [&] {
        if (!WriteScheduleCsv(doc, csvPath, QLatin1Char(','), nullptr))
            std::abort();
    });
    const double xlsxMs = MedianMs(Runs, [&] {
        if (!WriteScheduleXlsx(doc, xlsxPath, nullptr))
            std::abort();
    });

    // The schedule with every description changed, read and applied to a copy each time.
    QString edited = csvText;
    edited.replace(QStringLiteral("Corridor east"), QStringLiteral("Corridor west"));
    const double importMs = MedianMs(Runs, [&] {
        TData target;
        target.AssignContent(doc);
        const TSchedulePlan plan = PlanScheduleImport(target, edited);
        if (plan.Refused() || plan.ChangeCount() == 0)
            std::abort();
        ApplyScheduleChanges(target, plan.Changes);
    });

    QList<int> points;
    for (int p = 1; p <= 253; ++p)
        points << p;
    // New zones (groups, sets) on every row without channels, descriptions moved one row up.
    const QStringList copied = ScheduleCopyText(doc, 1, points).split(QLatin1Char('\n'));
    QString block;
    for (int i = 0; i < 253; ++i) {
        QStringList cells = copied.at(i).split(QLatin1Char('\t'));
        if (!doc.Loop1.HasChannelNames(i + 1))
            cells[0] = QString::number(1 + i % MaxGroup);
        cells[1] = copied.at(i + 1).section(QLatin1Char('\t'), 1);
        block += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    const double pasteMs = MedianMs(Runs, [&] {
        TData target;
        target.AssignContent(doc);
        const TSchedulePlan plan = PlanSchedulePaste(target, 1, 1, pcZone, block);
        if (plan.Refused() || plan.ChangeCount() == 0)
            std::abort();
        ApplyScheduleChanges(target, plan.Changes);
    });

    const QString rubbish = Rubbish(1024 * 1024);
    int refusals = 0;
    const double rubbishMs = MedianMs(Runs, [&] {
        const TSchedulePlan plan = PlanScheduleImport(doc, rubbish);
        if (!plan.Refused() || plan.Errors.first().Line < 2)
            std::abort();
        refusals = static_cast<int>(plan.Errors.size());
    });

    std::printf("largest configuration: %lld bytes of CSV, %lld rows\n",
                static_cast<long long>(csv.size()), static_cast<long long>(csv.count('\n') - 1));
    std::printf("baseline, decode and split the CSV (%lld cells): %.3f ms\n",
                static_cast<long long>(cells), plainMs);
    Report("export CSV", csvMs, 50);
    Report("export XLSX", xlsxMs, 50);
    Report("import CSV (plan + apply)", importMs, 50);
    std::printf("  import / baseline: %.0fx\n", importMs / plainMs);
    Report("paste 253 rows", pasteMs, 16);
    Report("1 MB of rubbish refused", rubbishMs, 100);
    std::printf("  %d refused cells listed, first on line %d\n", refusals,
                PlanScheduleImport(doc, rubbish).Errors.first().Line);
    return 0;
}

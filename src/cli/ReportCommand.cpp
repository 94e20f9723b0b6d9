#include "cli/CliPrompts.h"
#include "cli/Commands.h"

#include "model/Data.h"
#include "reports/PrintSelection.h"
#include "reports/Reports.h"
#include "Printer/DeviceValues.h"
#include "storage/ConfigFile.h"
#include "storage/ConfigFileNames.h"
#include "storage/ConfigReader.h"
#include "storage/SafeFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryFile>

namespace {

struct TReportArguments {
    QString Input;
    QString Output;
    bool OnlyFitted = false;
    TLoopOrder Order = loDeviceNumber;
    QStringList Sections; // empty: what the print dialog prints by default
    QPageSize Paper = LocalePaperSize();
};

const QStringList SectionNames = {
    QStringLiteral("site"), QStringLiteral("loops"), QStringLiteral("zones"),
    QStringLiteral("groups"), QStringLiteral("sets"), QStringLiteral("cne"),
    QStringLiteral("network"),
};

bool ParseArguments(TCliContext& context, const QStringList& args, TReportArguments& parsed)
{
    QStringList positional;
    QHash<QString, QString> options;
    if (!ParseOptions(context, args,
                      {{QStringLiteral("output")},
                       {QStringLiteral("only-fitted"), false},
                       {QStringLiteral("order")},
                       {QStringLiteral("paper")},
                       {QStringLiteral("sections")}},
                      positional, options))
        return false;

    parsed.Output = options.value(QStringLiteral("output"));
    parsed.OnlyFitted = options.contains(QStringLiteral("only-fitted"));
    if (options.contains(QStringLiteral("order"))) {
        const QString order = options.value(QStringLiteral("order"));
        if (order == QLatin1String("number"))
            parsed.Order = loDeviceNumber;
        else if (order == QLatin1String("type"))
            parsed.Order = loDeviceType;
        else if (order == QLatin1String("zone"))
            parsed.Order = loZoneNumber;
        else {
            UsageError(context, QStringLiteral("--order takes number, type or zone"));
            return false;
        }
    }
    if (options.contains(QStringLiteral("paper"))) {
        const QString paper = options.value(QStringLiteral("paper")).toLower();
        if (paper == QLatin1String("a4"))
            parsed.Paper = QPageSize(QPageSize::A4);
        else if (paper == QLatin1String("letter"))
            parsed.Paper = QPageSize(QPageSize::Letter);
        else {
            UsageError(context, QStringLiteral("--paper takes A4 or Letter"));
            return false;
        }
    }
    if (options.contains(QStringLiteral("sections"))) {
        const QString sections = options.value(QStringLiteral("sections"));
        for (const QString& s : sections.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString name = s.trimmed().toLower();
            if (!SectionNames.contains(name)) {
                UsageError(context, QStringLiteral("unknown section '%1' (sections: %2)")
                                        .arg(s, SectionNames.join(QLatin1Char(','))));
                return false;
            }
            parsed.Sections << name;
        }
        if (parsed.Sections.isEmpty()) {
            UsageError(context, QStringLiteral("--sections names no section"));
            return false;
        }
    }
    if (positional.size() != 1) {
        UsageError(context, QStringLiteral("report needs one FILE.QEM"));
        return false;
    }
    if (parsed.Output.isEmpty()) {
        UsageError(context, QStringLiteral("report needs -o OUT.pdf"));
        return false;
    }
    parsed.Input = positional.first();
    return true;
}

TPrintSelection SelectionFor(const TReportArguments& args, const TData& document)
{
    TPrintSelection selection;
    selection.OnlyFitted = args.OnlyFitted;
    selection.Order = args.Order;
    if (args.Sections.isEmpty()) {
        // As the print dialog offers it for this panel's software version.
        selection.ApplyVersionGates(document.SiteConfig.GetMainVersion());
        return selection;
    }
    const auto wanted = [&](const char* name) {
        return args.Sections.contains(QLatin1String(name));
    };
    selection.PrintSite = wanted("site");
    selection.PrintLoop = wanted("loops");
    selection.PrintZone = wanted("zones");
    selection.PrintGroup = wanted("groups");
    selection.PrintSet = wanted("sets");
    selection.PrintCauseEffect = wanted("cne");
    selection.PrintNetwork = wanted("network");
    return selection;
}

// Qt's PDF writer does not report a failed write: a complete PDF ends with its end marker.
bool IsCompletePdf(const QByteArray& bytes)
{
    return bytes.startsWith("%PDF") && bytes.trimmed().endsWith("%%EOF");
}

} // namespace

int RunReportCommand(const QStringList& args, TCliContext& context)
{
    TReportArguments parsed;
    if (!ParseArguments(context, args, parsed))
        return ecUsage;

    // Fonts are measured through Qt's GUI module.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Failure(context, QStringLiteral("the report needs a QGuiApplication"));

    QElapsedTimer clock;
    clock.start();
    if (IsSameFile(parsed.Output, parsed.Input)
        || IsSameFile(parsed.Output, CommentsFileName(parsed.Input)))
        return Failure(context, QStringLiteral("%1 is the configuration or its comments file; the "
                                               "report needs another name")
                                    .arg(parsed.Output));
    // The PDF's folder is checked before any work: it replaces the target only when complete.
    QString error;
    TStagedFile pdf(parsed.Output);
    if (!pdf.Open(&error))
        return Failure(context, QStringLiteral("The PDF could not be written: %1").arg(error));

    TData document;
    TCliPrompts prompts(context.Err, context.In);
    TConfigFile file(document, prompts);
    const bool opened = file.Open(parsed.Input);
    if (!prompts.Unanswered.isEmpty())
        return Failure(context, QStringLiteral("%1 was made by the older tool family; convert it "
                                               "first with zolctl resave --convert=yes")
                                    .arg(parsed.Input));
    if (!opened)
        return Failure(context, prompts.LastError);

    // Recorded and written on the 600-dpi PDF device: no printer and no display needed.
    TReports reports(document, MakePdfPrinter(parsed.Paper));
    SelectionFor(parsed, document).PrintSections(reports);
    TPreviewPrinter& engine = reports.Engine();
    engine.EndDoc();
    QTemporaryFile rendered;
    if (!rendered.open())
        return Failure(context, QStringLiteral("The PDF could not be written: no temporary "
                                               "file to render it into (%1)")
                                    .arg(rendered.errorString()));
    engine.Printer().setOutputFileName(rendered.fileName());
    try {
        engine.PrintAll();
    } catch (const TPrintError& e) {
        return Failure(context, QStringLiteral("The PDF could not be written (rendering into %1): %2")
                                    .arg(rendered.fileName(), QString::fromStdString(e.what())));
    }
    const QByteArray bytes = rendered.readAll();
    if (!IsCompletePdf(bytes))
        return Failure(context, QStringLiteral("The PDF could not be written: it was cut off "
                                               "in %1 (is the disk full?)")
                                    .arg(rendered.fileName()));
    if (!pdf.Commit(bytes, &error))
        return Failure(context, QStringLiteral("The PDF could not be written: %1").arg(error));
    SuccessSummary(context, QStringLiteral("Wrote %1 %2 to %3 in %4 s")
                                .arg(engine.PageCount())
                                .arg(engine.PageCount() == 1 ? QStringLiteral("page")
                                                             : QStringLiteral("pages"))
                                .arg(parsed.Output)
                                .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1));
    return ecSuccess;
}

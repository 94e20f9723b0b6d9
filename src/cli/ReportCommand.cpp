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
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

namespace {

struct TReportArguments {
    QString Input;
    QString Output;
    // --printer: print instead of writing a PDF; an empty queue is the default one.
    bool Print = false;
    QString Queue;
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

// "--printer" names its queue in the next argument when one follows that is neither an
// option nor the configuration file; alone it means the default queue.
QStringList WithPrinterValue(const QStringList& args)
{
    QStringList result;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) != QLatin1String("--printer")) {
            result << args.at(i);
            continue;
        }
        const bool named = i + 1 < args.size() && !args.at(i + 1).startsWith(QLatin1Char('-'))
            && !args.at(i + 1).endsWith(QStringLiteral(".qem"), Qt::CaseInsensitive);
        result << QStringLiteral("--printer=") + (named ? args.at(++i) : QString());
    }
    return result;
}

bool ParseArguments(TCliContext& context, const QStringList& args, TReportArguments& parsed)
{
    QStringList positional;
    QHash<QString, QString> options;
    if (!ParseOptions(context, WithPrinterValue(args),
                      {{QStringLiteral("output")},
                       {QStringLiteral("printer")},
                       {QStringLiteral("only-fitted"), false},
                       {QStringLiteral("order")},
                       {QStringLiteral("paper")},
                       {QStringLiteral("sections")}},
                      positional, options))
        return false;

    parsed.Output = options.value(QStringLiteral("output"));
    parsed.Print = options.contains(QStringLiteral("printer"));
    parsed.Queue = options.value(QStringLiteral("printer"));
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
    if (parsed.Output.isEmpty() == !parsed.Print) {
        UsageError(context, QStringLiteral("report needs either -o OUT.pdf or --printer [QUEUE]"));
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

// The queue to print on: the one named, else the default one; null with the reason in error.
std::unique_ptr<QPrinter> QueuePrinter(const TReportArguments& args, QString* error)
{
    const QPrinterInfo info = args.Queue.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                   : QPrinterInfo::printerInfo(args.Queue);
    if (info.isNull()) {
        const QStringList queues = QPrinterInfo::availablePrinterNames();
        *error = (args.Queue.isEmpty() ? QStringLiteral("there is no default print queue")
                                       : QStringLiteral("there is no print queue named '%1'").arg(args.Queue))
            + (queues.isEmpty() ? QStringLiteral(" (no queue is installed)")
                                : QStringLiteral(" (queues: %1)").arg(queues.join(QStringLiteral(", "))));
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid()) {
        *error = QStringLiteral("the print queue '%1' cannot be used").arg(info.printerName());
        return nullptr;
    }
    printer->setPageSize(args.Paper);
    printer->setPageOrientation(QPageLayout::Portrait);
    return printer;
}

// Opens the configuration; false after saying why.
bool OpenDocument(TCliContext& context, const QString& input, TData& document, int* code)
{
    TCliPrompts prompts(context.Err, context.In);
    TConfigFile file(document, prompts);
    const bool opened = file.Open(input);
    if (!prompts.Unanswered.isEmpty()) {
        *code = Failure(context, QStringLiteral("%1 was made by the older tool family; convert it "
                                                "first with zolctl resave --convert=yes")
                                     .arg(input));
        return false;
    }
    if (!opened) {
        *code = Failure(context, prompts.LastError);
        return false;
    }
    return true;
}

QString Pages(int count)
{
    return QString::number(count) + (count == 1 ? QStringLiteral(" page") : QStringLiteral(" pages"));
}

// The same pages as the PDF, recorded on the queue's own device and sent as one job.
int PrintReport(TCliContext& context, const TReportArguments& parsed)
{
    QElapsedTimer clock;
    clock.start();
    TData document;
    int code = ecFailure;
    if (!OpenDocument(context, parsed.Input, document, &code))
        return code;
    QString error;
    std::unique_ptr<QPrinter> printer = QueuePrinter(parsed, &error);
    if (!printer)
        return Failure(context, QStringLiteral("The report could not be printed: %1").arg(error));
    const QString queue = printer->printerName();
    TReports reports(document, std::move(printer));
    reports.Engine().Title = QFileInfo(parsed.Input).fileName();
    SelectionFor(parsed, document).PrintSections(reports);
    TPreviewPrinter& engine = reports.Engine();
    engine.EndDoc();
    try {
        engine.PrintAll();
    } catch (const TPrintError& e) {
        return Failure(context, QStringLiteral("The report could not be printed on %1: %2")
                                    .arg(queue, QString::fromStdString(e.what())));
    }
    SuccessSummary(context, QStringLiteral("Sent %1 to %2 in %3 s")
                                .arg(Pages(engine.PageCount()), queue)
                                .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1));
    return ecSuccess;
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
    if (parsed.Print)
        return PrintReport(context, parsed);

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
    int code = ecFailure;
    if (!OpenDocument(context, parsed.Input, document, &code))
        return code;

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
    SuccessSummary(context, QStringLiteral("Wrote %1 to %2 in %3 s")
                                .arg(Pages(engine.PageCount()), parsed.Output)
                                .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1));
    return ecSuccess;
}

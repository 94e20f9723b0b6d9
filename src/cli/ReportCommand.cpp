#include "cli/CliPrompts.h"
#include "cli/Commands.h"

#include "model/Data.h"
#include "reports/PrintSelection.h"
#include "reports/Reports.h"
#include "storage/ConfigFile.h"
#include "storage/ConfigReader.h"

#include <QGuiApplication>
#include <QPrinter>

namespace {

struct TReportArguments {
    QString Input;
    QString Output;
    bool OnlyFitted = false;
    TLoopOrder Order = loDeviceNumber;
    QStringList Sections; // empty: what the print dialog prints by default
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

} // namespace

int RunReportCommand(const QStringList& args, TCliContext& context)
{
    TReportArguments parsed;
    if (!ParseArguments(context, args, parsed))
        return ecUsage;

    // Fonts are measured through Qt's GUI module.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Failure(context, QStringLiteral("the report needs a QGuiApplication"));

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
    TReports reports(document, rdPdf);
    SelectionFor(parsed, document).PrintSections(reports);
    TPreviewPrinter& engine = reports.Engine();
    engine.EndDoc();
    engine.Printer().setOutputFileName(parsed.Output);
    try {
        engine.PrintAll();
    } catch (const TPrintError& e) {
        return Failure(context, QString::fromStdString(e.what()));
    }
    context.Out << "Wrote " << engine.PageCount() << (engine.PageCount() == 1 ? " page" : " pages")
                << " to " << parsed.Output << '\n';
    return ecSuccess;
}

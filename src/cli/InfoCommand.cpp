#include "cli/CliPrompts.h"
#include "cli/Commands.h"

#include "model/Data.h"
#include "storage/CommentsFile.h"
#include "storage/ConfigFile.h"
#include "storage/ConfigFileNames.h"
#include "storage/ConfigReader.h"
#include "storage/ProgramSettings.h"

#include <QFile>
#include <QMap>

namespace {

QString ClassLabel(const TQEMLoop& loop, int point)
{
    const int k = loop.DeviceClass(point);
    if (loop.SystemType == stSysSensorLoop || loop.SystemType == stNittanLoop)
        return loop.DeviceLongName(loop.Devices[point].TypeCode);
    switch (k) {
    case 0: return QStringLiteral("Call points and inputs");
    case 16: return QStringLiteral("Zone monitors and bases");
    case 48: return QStringLiteral("Switch monitors");
    case 64: return QStringLiteral("Beacons and indicators");
    case 80: return QStringLiteral("Sounders");
    case 112: return QStringLiteral("Input/output units");
    case 128: return QStringLiteral("Optical sensors");
    case 144: return QStringLiteral("Heat sensors");
    case 160: return QStringLiteral("Ionisation sensors");
    case 176: return QStringLiteral("Beam detectors");
    case 208: return QStringLiteral("Multi-sensors");
    default: return QStringLiteral("Invalid type codes");
    }
}

bool Fitted(const TQEMLoop& loop, int point)
{
    const int code = loop.Devices[point].TypeCode;
    return code >= 0 && code < NotFittedCode;
}

void Line(QTextStream& out, const QString& label, const QString& value)
{
    out << (label + QLatin1Char(':')).leftJustified(22) << value << '\n';
}

void DescribeLoop(QTextStream& out, const TData& doc, int n, QStringList& problems)
{
    const TQEMLoop& loop = doc.Loop(n);
    QMap<QString, int> byClass;
    int fitted = 0;
    for (int p = 1; p <= doc.NoLoopDevices(); ++p) {
        if (!Fitted(loop, p))
            continue;
        ++fitted;
        ++byClass[ClassLabel(loop, p)];
        const int code = loop.Devices[p].TypeCode;
        if (loop.DeviceLongName(code) == QLatin1String("Un-supported type"))
            problems << QStringLiteral("Loop %1 point %2 has the unsupported type code %3")
                            .arg(n)
                            .arg(loop.PointLabel(p))
                            .arg(code);
    }
    Line(out, QStringLiteral("Loop %1").arg(n),
         QStringLiteral("%1 of %2 points fitted").arg(fitted).arg(doc.NoLoopDevices()));
    for (auto it = byClass.cbegin(); it != byClass.cend(); ++it)
        out << "    " << it.key().leftJustified(30) << it.value() << '\n';
}

void Describe(QTextStream& out, const TData& doc, const QString& path, int maxOutputDelay)
{
    const TSiteConfig& site = doc.SiteConfig;
    QStringList problems;

    Line(out, QStringLiteral("File"), path);
    Line(out, QStringLiteral("Protocol"), SystemTypeName(doc.SystemType()));
    Line(out, QStringLiteral("Panel number"), QString::number(doc.PanelNumber));
    Line(out, QStringLiteral("Main version"), site.MainVersion);
    Line(out, QStringLiteral("Front panel version"), site.FrontPanelVersion);
    Line(out, QStringLiteral("Loop 1 version"), site.Loop1Version);
    Line(out, QStringLiteral("Loop 2 version"), site.Loop2Version);
    Line(out, QStringLiteral("Client"), site.ClientName);
    Line(out, QStringLiteral("Panel location"), site.PanelLocation);
    Line(out, QStringLiteral("Network panel name"), doc.RepeaterList.PanelName);

    DescribeLoop(out, doc, 1, problems);
    DescribeLoop(out, doc, 2, problems);

    const TNameTable& names = doc.NameTable;
    Line(out, QStringLiteral("Names"),
         QStringLiteral("%1 of %2 names, %3 of %4 characters")
             .arg(names.Count())
             .arg(TNameTable::MaxNames)
             .arg(names.NoOfChars())
             .arg(TNameTable::MaxChars));
    if (names.Count() > TNameTable::MaxNames)
        problems << QStringLiteral("The name table holds %1 names; the panel takes %2")
                        .arg(names.Count())
                        .arg(TNameTable::MaxNames);
    if (names.NoOfChars() > TNameTable::MaxChars)
        problems << QStringLiteral("The names need %1 characters; the panel takes %2")
                        .arg(names.NoOfChars())
                        .arg(TNameTable::MaxChars);

    QStringList longDelays;
    for (int z = 1; z <= MaxZone; ++z) {
        const TOutputDelayCheck check = CheckOutputDelays(
            doc.ZoneList.Zone(z), site.InvestigationPeriod, site.InvestigationPeriod1, maxOutputDelay);
        if (check.SounderTooLong || check.RemoteTooLong)
            longDelays << QString::number(z);
    }
    Line(out, QStringLiteral("Maximum output delay"), QStringLiteral("%1 s").arg(maxOutputDelay));
    if (!longDelays.isEmpty())
        problems << QStringLiteral("Zones with an output delay over the maximum: %1")
                        .arg(longDelays.join(QStringLiteral(", ")));

    for (const int level : {2, 3}) {
        const TAccessCodeCheck check = CheckAccessCodes(site, level);
        if (!check.Valid) {
            problems << QStringLiteral("Access codes: ") + check.Message;
            break;
        }
    }
    if (site.KeyswitchOperated())
        Line(out, QStringLiteral("Access level 2"), QStringLiteral("keyswitch operated"));

    Line(out, QStringLiteral("Maintenance date"),
         site.MaintenanceDate.toString(QStringLiteral("dd/MM/yyyy"))
             + (site.DateEnabled ? QStringLiteral(" (in force)") : QStringLiteral(" (not in force)")));
    if (site.DateEnabled && site.MaintenanceDate.isValid() && site.MaintenanceDate < QDate::currentDate())
        problems << QStringLiteral("The maintenance date has passed");

    if (doc.ContinuousTone < 0 || doc.ContinuousTone >= doc.ContinuousToneNames().size()
        || doc.PulsedTone < 0 || doc.PulsedTone >= doc.PulsedToneNames().size())
        problems << QStringLiteral("The sounder tones (%1, %2) are not tones of this protocol")
                        .arg(doc.PulsedTone)
                        .arg(doc.ContinuousTone);

    QStringList networkPanels;
    for (int n = 1; n <= MaxNetworkPanels; ++n)
        if (doc.RepeaterList.Repeaters[n].Fitted)
            networkPanels << QStringLiteral("%1 %2").arg(n).arg(doc.RepeaterList.Repeaters[n].Name);
    Line(out, QStringLiteral("Network panels"),
         networkPanels.isEmpty() ? QStringLiteral("none") : networkPanels.join(QStringLiteral(", ")));

    int events = 0;
    for (int e = 1; e <= CEEventCount; ++e)
        events += doc.C_ETable.Events[e].Action != 0 ? 1 : 0;
    Line(out, QStringLiteral("C&E events in use"), QString::number(events));
    Line(out, QStringLiteral("Comments file"),
         QFile::exists(CommentsFileName(path)) ? CommentsFileName(path) : QStringLiteral("none"));

    out << "Checks:\n";
    if (problems.isEmpty())
        out << "    nothing to report\n";
    for (const QString& p : problems)
        out << "    " << p << '\n';
}

} // namespace

int RunInfoCommand(const QStringList& args, TCliContext& context)
{
    QStringList files;
    QHash<QString, QString> options;
    if (!ParseOptions(context, args, {{QStringLiteral("max-output-delay")}}, files, options))
        return ecUsage;
    if (files.size() != 1)
        return UsageError(context, QStringLiteral("info needs one FILE.QEM"));

    int maxOutputDelay = LoadProgramSettings().MaxOutputDelay;
    if (options.contains(QStringLiteral("max-output-delay"))) {
        bool ok = false;
        maxOutputDelay = options.value(QStringLiteral("max-output-delay")).toInt(&ok);
        if (!ok || maxOutputDelay < 0)
            return UsageError(context, QStringLiteral("--max-output-delay takes a number of seconds"));
    }

    // Inspecting never converts: an older file is shown as it reads unconverted.
    TCliPrompts prompts(context.Err, nullptr);
    prompts.Answers.insert(ConvertQuestion, TPromptAnswer::paNo);
    TData document;
    TConfigFile file(document, prompts);
    if (!file.Open(files.first()))
        return Failure(context, prompts.LastError);
    Describe(context.Out, document, files.first(), maxOutputDelay);
    return ecSuccess;
}

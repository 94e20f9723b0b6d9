#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "cli/FileSections.h"

#include "model/Data.h"
#include "storage/CommentsFile.h"
#include "storage/ConfigFile.h"
#include "storage/ConfigFileNames.h"
#include "storage/ConfigReader.h"
#include "storage/ProgramSettings.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

// Apollo and Hochiki keep a point's base sounder in slot point + 127.
bool IsBaseSounderSlot(const TQEMLoop& loop, int slot)
{
    return slot > TQEMLoop::BaseSounderOffset
        && loop.HasBaseSounderSlot(slot - TQEMLoop::BaseSounderOffset);
}

// The summary, built once and shown as text or as JSON.
class TSummary {
public:
    explicit TSummary(QTextStream& out) : out_(out) {}

    void Line(const QString& key, const QString& label, const QJsonValue& value)
    {
        json_.insert(key, value);
        out_ << (label + QLatin1Char(':')).leftJustified(22)
             << (value.isString() ? value.toString() : value.isBool() ? (value.toBool() ? "yes" : "no")
                                                                  : QString::number(value.toInteger()))
             << '\n';
    }
    void Text(const QString& text) { out_ << text; }
    QJsonObject& Json() { return json_; }

private:
    QTextStream& out_;
    QJsonObject json_;
};

QJsonObject DescribeLoop(TSummary& summary, const TData& doc, int n, QStringList& problems)
{
    const TQEMLoop& loop = doc.Loop(n);
    QMap<QString, int> byClass;
    int devices = 0;
    int baseSounders = 0;
    for (int p = 1; p <= doc.NoLoopDevices(); ++p) {
        if (!loop.IsFitted(p))
            continue;
        if (IsBaseSounderSlot(loop, p)) {
            ++baseSounders;
            continue;
        }
        ++devices;
        ++byClass[ClassLabel(loop, p)];
        const int code = loop.Devices[p].TypeCode;
        if (!IsKnownDeviceCode(loop.SystemType, code))
            problems << QStringLiteral("Loop %1 point %2 has the unsupported type code %3")
                            .arg(n)
                            .arg(loop.PointLabel(p))
                            .arg(code);
    }
    QJsonObject json{{QStringLiteral("points"), doc.NoLoopDevices()},
                     {QStringLiteral("fitted"), devices + baseSounders},
                     {QStringLiteral("devices"), devices},
                     {QStringLiteral("baseSounders"), baseSounders}};
    summary.Text((QStringLiteral("Loop %1:").arg(n)).leftJustified(22)
                 + QStringLiteral("%1 of %2 points fitted\n").arg(devices + baseSounders).arg(doc.NoLoopDevices())
                 + QStringLiteral("    %1 %2, %3 base %4\n")
                       .arg(devices)
                       .arg(devices == 1 ? QStringLiteral("device") : QStringLiteral("devices"))
                       .arg(baseSounders)
                       .arg(baseSounders == 1 ? QStringLiteral("sounder") : QStringLiteral("sounders")));
    QJsonObject classes;
    for (auto it = byClass.cbegin(); it != byClass.cend(); ++it) {
        summary.Text(QStringLiteral("    ") + it.key().leftJustified(30) + QString::number(it.value())
                     + QLatin1Char('\n'));
        classes.insert(it.key(), it.value());
    }
    json.insert(QStringLiteral("classes"), classes);
    return json;
}

void Describe(TSummary& summary, const TData& doc, const QString& path, int maxOutputDelay,
              bool olderFamily)
{
    const TSiteConfig& site = doc.SiteConfig;
    QStringList problems;

    summary.Line(QStringLiteral("file"), QStringLiteral("File"), path);
    summary.Line(QStringLiteral("olderFamily"), QStringLiteral("Older tool family"), olderFamily);
    if (olderFamily)
        summary.Text(QStringLiteral("    shown as it reads unconverted; the program offers to convert it "
                                    "on opening (zolctl resave --convert=yes converts it)\n"));
    summary.Line(QStringLiteral("protocol"), QStringLiteral("Protocol"), SystemTypeName(doc.SystemType()));
    summary.Line(QStringLiteral("panelNumber"), QStringLiteral("Panel number"), doc.PanelNumber);
    summary.Line(QStringLiteral("mainVersion"), QStringLiteral("Main version"), site.MainVersion);
    summary.Line(QStringLiteral("frontPanelVersion"), QStringLiteral("Front panel version"),
                 site.FrontPanelVersion);
    summary.Line(QStringLiteral("loop1Version"), QStringLiteral("Loop 1 version"), site.Loop1Version);
    summary.Line(QStringLiteral("loop2Version"), QStringLiteral("Loop 2 version"), site.Loop2Version);
    summary.Line(QStringLiteral("client"), QStringLiteral("Client"), site.ClientName);
    summary.Line(QStringLiteral("panelLocation"), QStringLiteral("Panel location"), site.PanelLocation);
    summary.Line(QStringLiteral("networkPanelName"), QStringLiteral("Network panel name"),
                 doc.RepeaterList.PanelName);

    QJsonArray loops;
    loops << DescribeLoop(summary, doc, 1, problems) << DescribeLoop(summary, doc, 2, problems);
    summary.Json().insert(QStringLiteral("loops"), loops);

    const TNameTable& names = doc.NameTable;
    summary.Line(QStringLiteral("names"), QStringLiteral("Names"),
                 QStringLiteral("%1 of %2 names, %3 of %4 characters")
                     .arg(names.Count())
                     .arg(TNameTable::MaxNames)
                     .arg(names.NoOfChars())
                     .arg(TNameTable::MaxChars));
    summary.Json().insert(QStringLiteral("names"),
                          QJsonObject{{QStringLiteral("count"), names.Count()},
                                      {QStringLiteral("characters"), names.NoOfChars()}});
    if (names.Count() > TNameTable::MaxNames)
        problems << QStringLiteral("The name table holds %1 names; the panel takes %2")
                        .arg(names.Count())
                        .arg(TNameTable::MaxNames);
    if (names.NoOfChars() > TNameTable::MaxChars)
        problems << QStringLiteral("The names need %1 characters; the panel takes %2")
                        .arg(names.NoOfChars())
                        .arg(TNameTable::MaxChars);

    QStringList longDelays;
    QJsonArray longDelayZones;
    for (int z = 1; z <= MaxZone; ++z) {
        const TOutputDelayCheck check = CheckOutputDelays(
            doc.ZoneList.Zone(z), site.InvestigationPeriod, site.InvestigationPeriod1, maxOutputDelay);
        if (check.SounderTooLong || check.RemoteTooLong) {
            longDelays << QString::number(z);
            longDelayZones << z;
        }
    }
    summary.Line(QStringLiteral("maxOutputDelay"), QStringLiteral("Maximum output delay"),
                 QStringLiteral("%1 s").arg(maxOutputDelay));
    summary.Json().insert(QStringLiteral("maxOutputDelay"), maxOutputDelay);
    summary.Json().insert(QStringLiteral("zonesOverMaxOutputDelay"), longDelayZones);
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
    summary.Json().insert(QStringLiteral("keyswitchOperated"), site.KeyswitchOperated());
    if (site.KeyswitchOperated())
        summary.Text(QStringLiteral("Access level 2:").leftJustified(22)
                     + QStringLiteral("keyswitch operated\n"));

    summary.Line(QStringLiteral("maintenanceDate"), QStringLiteral("Maintenance date"),
                 site.MaintenanceDate.toString(QStringLiteral("dd/MM/yyyy"))
                     + (site.DateEnabled ? QStringLiteral(" (in force)") : QStringLiteral(" (not in force)")));
    summary.Json().insert(QStringLiteral("maintenanceDate"),
                          site.MaintenanceDate.toString(Qt::ISODate));
    summary.Json().insert(QStringLiteral("maintenanceDateInForce"), site.DateEnabled);
    if (site.DateEnabled && site.MaintenanceDate.isValid() && site.MaintenanceDate < QDate::currentDate())
        problems << QStringLiteral("The maintenance date has passed");

    if (doc.ContinuousTone < 0 || doc.ContinuousTone >= doc.ContinuousToneNames().size()
        || doc.PulsedTone < 0 || doc.PulsedTone >= doc.PulsedToneNames().size())
        problems << QStringLiteral("The sounder tones (%1, %2) are not tones of this protocol")
                        .arg(doc.PulsedTone)
                        .arg(doc.ContinuousTone);

    QStringList networkPanels;
    QJsonArray networkJson;
    for (int n = 1; n <= MaxNetworkPanels; ++n)
        if (doc.RepeaterList.Repeaters[n].Fitted) {
            networkPanels << QStringLiteral("%1 %2").arg(n).arg(doc.RepeaterList.Repeaters[n].Name);
            networkJson << QJsonObject{{QStringLiteral("number"), n},
                                       {QStringLiteral("name"), doc.RepeaterList.Repeaters[n].Name}};
        }
    summary.Line(QStringLiteral("networkPanels"), QStringLiteral("Network panels"),
                 networkPanels.isEmpty() ? QStringLiteral("none") : networkPanels.join(QStringLiteral(", ")));
    summary.Json().insert(QStringLiteral("networkPanels"), networkJson);

    int events = 0;
    for (int e = 1; e <= CEEventCount; ++e)
        events += doc.C_ETable.Events[e].Action != 0 ? 1 : 0;
    summary.Line(QStringLiteral("causeAndEffectEvents"), QStringLiteral("C&E events in use"), events);
    const bool hasComments = QFile::exists(CommentsFileName(path));
    summary.Line(QStringLiteral("commentsFile"), QStringLiteral("Comments file"),
                 hasComments ? CommentsFileName(path) : QStringLiteral("none"));
    if (!hasComments)
        summary.Json().insert(QStringLiteral("commentsFile"), QJsonValue::Null);

    summary.Text(QStringLiteral("Checks:\n"));
    if (problems.isEmpty())
        summary.Text(QStringLiteral("    nothing to report\n"));
    for (const QString& p : problems)
        summary.Text(QStringLiteral("    ") + p + QLatin1Char('\n'));
    summary.Json().insert(QStringLiteral("problems"), QJsonArray::fromStringList(problems));
}

} // namespace

int RunInfoCommand(const QStringList& args, TCliContext& context)
{
    QStringList files;
    QHash<QString, QString> options;
    if (!ParseOptions(context, args,
                      {{QStringLiteral("max-output-delay")}, {QStringLiteral("json"), false}}, files,
                      options))
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
    const bool json = options.contains(QStringLiteral("json"));
    QString text;
    QTextStream textOut(&text);
    TSummary summary(textOut);
    Describe(summary, document, files.first(), maxOutputDelay, prompts.HasSaid(ConvertQuestion));
    if (const QStringList missing = CutOffSections(files.first()); !missing.isEmpty())
        summary.Line(QStringLiteral("missingSections"), QStringLiteral("Missing sections"),
                     missing.join(QStringLiteral(", ")) + QStringLiteral(" (the file may be cut off)"));
    textOut.flush();
    if (json)
        context.Out << QJsonDocument(summary.Json()).toJson(QJsonDocument::Indented);
    else
        context.Out << text;
    return ecSuccess;
}

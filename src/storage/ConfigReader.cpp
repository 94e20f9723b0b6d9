#include "storage/ConfigReader.h"

#include "model/Data.h"
#include "storage/ConfigFileNames.h"
#include "storage/ConfigSections.h"
#include "storage/ConfigWriter.h"
#include "storage/ProfileFile.h"
#include "storage/Prompts.h"

using namespace ConfigKeys;

namespace {

// What the panel's field for a value holds.
struct TRange {
    int Low;
    int High;
};
constexpr TRange ByteField{0, 255};
constexpr TRange WordField{0, 65535};
// Sent as the value - 1 (delays) or + 1 (tones), as the panel reads them back.
constexpr TRange DelayField{1, 256};
constexpr TRange ToneField{-1, 254};

struct TReader {
    const TProfileFile& f;
    TData& doc;
    bool converting = false;
    bool newDefaults = false;

    QString Str(const QString& section, const QString& key, const QString& def) const
    {
        return f.ReadString(section, key, def);
    }
    // A missing value or one that is not an integer gives def (the file rules); an integer
    // its field cannot hold stops the reading, so nothing is cut or wrapped later.
    int Int(const QString& section, const QString& key, int def, TRange range) const
    {
        const std::optional<qint64> value = f.ReadWideInteger(section, key);
        if (!value)
            return def;
        if (*value < range.Low || *value > range.High)
            throw TConfigReadError(OutOfRange(section, key, range));
        return static_cast<int>(*value);
    }
    // Values the reader corrects itself (zones, the loop type): any size, read wide.
    qint64 Wide(const QString& section, const QString& key, qint64 def) const
    {
        return f.ReadWideInteger(section, key).value_or(def);
    }
    QString OutOfRange(const QString& section, const QString& key, TRange range) const
    {
        return QStringLiteral("Section \"%1\", key \"%2\": the value %3 is outside %4 to %5.")
            .arg(section, key, Str(section, key, QString()))
            .arg(range.Low)
            .arg(range.High);
    }
    bool Bool(const QString& section, const QString& key, bool def) const
    {
        return f.ReadBool(section, key, def);
    }

    void ReadVersions()
    {
        TSiteConfig& site = doc.SiteConfig;
        site.MainVersion = Str(Header, MainVersion, NotAvailableVersion);
        site.FrontPanelVersion = Str(Header, FrontPanel, NotAvailableVersion);
        site.Loop1Version = Str(Header, Loop1Version, NotAvailableVersion);
        site.Loop2Version = Str(Header, Loop2Version, NotAvailableVersion);
    }

    void ReadPoint(TQEMLoop& loop, int loopNumber, int p)
    {
        TDeviceType& d = loop.Devices[p];
        const QString& key = PointKey(loop, loopNumber, p);
        d.TypeCode = Int(DetectorType, key, NotFittedCode, ByteField);
        if (converting) {
            if (d.TypeCode < 8)
                d.TypeCode *= 4;
            if (d.TypeCode == 0)
                d.TypeCode = NotFittedCode;
        }
        if (d.TypeCode > 253) {
            d.Name = NoNameAllocated;
            for (int k = 1; k <= 3; ++k)
                d.SubName(k) = NoNameAllocated;
            d.Zone = 0;
        } else {
            d.Name = Str(DetectorNames, key, NoNameAllocated);
            for (int k = 1; k <= 3; ++k)
                d.SubName(k) = Str(DetectorSubName(k), key, NoNameAllocated);
            const qint64 zone = Wide(DetectorZone, key, 1);
            d.Zone = zone < 0 || zone > MaxZone ? 1 : static_cast<int>(zone);
        }
        if (converting && d.Zone > MaxFireZone)
            d.Zone -= 33;
        // Bytes on the panel, but the name indexes (2, 4, 6, 8) of a name table beyond the
        // panel's 256 names are kept so that the checks can report them.
        for (int i = 1; i <= 8; ++i)
            d.SharedData[i] = Int(SharedData, SharedDataKey(loop, loopNumber, p, i), 255, WordField);
        if (d.SharedData[1] == 255) {
            // Class defaults for a point the file gives no panel data for; the zone the file
            // gave is kept rather than replaced by the class's zone.
            const int zone = d.Zone;
            loop.ResetPointData(p);
            d.Zone = zone;
        }
    }

    int GroupValue(int zone, int group) const
    {
        return Int(GroupConfig, GroupKey(zone, group), 0, ByteField);
    }

    void ReadZones()
    {
        static const int dependancyDefaults[7] = {0, 4, 0, 0, 4, 0, 0};
        for (int n = 1; n <= MaxZone; ++n) {
            TZone& z = doc.ZoneList.Zone(n);
            const QString& key = ZoneKey(n);
            z.Name = Str(ZoneConfig, key, QStringLiteral("Zone ") + QString::number(n));
            z.SounderTimer = Int(SounderTimers, key, 0, WordField);
            z.RemoteTimer = Int(RemoteTimers, key, 0, WordField);
            z.Relay1Timer = Int(Relay1Timer, key, 0, WordField);
            z.Relay2Timer = Int(Relay2Timer, key, 0, WordField);
            for (int i = 1; i <= 6; ++i)
                // Options 1 and 4 are sent as a letter byte, the reset times as words.
                z.Dependancy[i] = Int(Dependancy(i), key, dependancyDefaults[i],
                                      i == 1 || i == 4 ? ByteField : WordField);
            z.SounderEnable = Bool(SounderEnable, key, false);
            z.MCPEnable = Bool(MCPEnable, key, false);
            z.NonFireEnable = Bool(NonFireEnable, key, false);
            z.EndDelays = Bool(EndDelays, key, false);
            for (int g = 1; g <= MaxGroup; ++g)
                z.GroupConfig[g] = GroupValue(n, g);
            for (int s = 1; s <= MaxSet; ++s)
                z.SetConfig[s] = Int(SetConfig, SetKey(n, s), 0, ByteField);
            doc.DelayTimer = Int(SetConfig, DelayTimer, 0, WordField);
        }
        TZone& special = doc.ZoneList.Zone(0);
        for (int s = 0; s <= MaxSet; ++s)
            special.SetConfig[s] = Int(SetConfig, SetKey(0, s), 0, ByteField);
    }

    // A file saved by this program that lacks a value was cut off: the value stays as New
    // left it (the document was reset before reading). Other files take the values the
    // panel's own files imply.
    template <typename T>
    T Def(const T& asNew, const T& otherwise) const
    {
        return newDefaults ? asNew : otherwise;
    }

    void ReadSite()
    {
        TSiteConfig& site = doc.SiteConfig;
        site.MaintenanceString = Str(Maintenance, Text, Def(site.MaintenanceString, QString()));
        site.QuiescentString = Str(Quiescent, Text, Def(site.QuiescentString, QString()));
        site.MaintenanceDate
            = f.ReadDate(Maintenance, Date, Def(site.MaintenanceDate, QDate::currentDate()));
        site.DateEnabled = Bool(Maintenance, Enabled, Def(site.DateEnabled, false));
        site.AL2Code = Str(AccessCodes, QStringLiteral("L2"), Def(site.AL2Code, QString()));
        site.AL3Code = Str(AccessCodes, QStringLiteral("L3"), Def(site.AL3Code, QString()));
        site.FaultLockout = Int(FaultLockout, Time, Def(site.FaultLockout, 10), ByteField);
        site.PhasedDelay = Int(PhasedDelay, Time, Def(site.PhasedDelay, InfiniteDelay), WordField);
        site.SoundersPulsed = Bool(PhasedDelay, PulsedOn, Def(site.SoundersPulsed, true));

        site.ClientName
            = Str(SiteConfig, QStringLiteral("Client Name"), Def(site.ClientName, QString()));
        for (int i = 1; i <= 5; ++i)
            site.ClientAddress(i)
                = Str(SiteConfig, QStringLiteral("Client Address ") + QString::number(i),
                    Def(site.ClientAddress(i), QString()));
        site.PanelLocation
            = Str(SiteConfig, QStringLiteral("Alarm Position"), Def(site.PanelLocation, QString()));
        site.InstallerName
            = Str(SiteConfig, QStringLiteral("Installer Name"), Def(site.InstallerName, QString()));
        for (int i = 1; i <= 5; ++i)
            site.InstallerAddress(i)
                = Str(SiteConfig, QStringLiteral("Installer Address ") + QString::number(i),
                    Def(site.InstallerAddress(i), QString()));
        site.Engineer
            = Str(SiteConfig, QStringLiteral("Engineer Name"), Def(site.Engineer, QString()));
        site.EngineerNo
            = Str(SiteConfig, QStringLiteral("Service Number"), Def(site.EngineerNo, QString()));
        site.NightBegin = Str(SiteConfig, QStringLiteral(" Night Begins"),
            Def(site.NightBegin, QStringLiteral("00:00")));
        site.NightEnd = Str(
            SiteConfig, QStringLiteral(" Night Ends"), Def(site.NightEnd, QStringLiteral("00:00")));
        site.ReCalTime = Str(SiteConfig, QStringLiteral("ReCalibrate at"),
            Def(site.ReCalTime, QStringLiteral("04:00")));

        site.InvestigationPeriod = Int(
            Investigation, QStringLiteral("Period"), Def(site.InvestigationPeriod, 300), WordField);
        site.InvestigationPeriod1 = Int(Investigation, QStringLiteral("Period1"),
            Def(site.InvestigationPeriod1, 180), WordField);
        site.PanelSounder1_Group = Int(
            PanelSounderGroups, QStringLiteral("P1"), Def(site.PanelSounder1_Group, 1), ByteField);
        site.PanelSounder2_Group = Int(
            PanelSounderGroups, QStringLiteral("P2"), Def(site.PanelSounder2_Group, 2), ByteField);
        site.Day_Enable_Flags
            = Int(EnableFlags, QStringLiteral("Day"), Def(site.Day_Enable_Flags, 0), ByteField);
        site.Night_Enable_Flags
            = Int(EnableFlags, QStringLiteral("Night"), Def(site.Night_Enable_Flags, 0), ByteField);
        site.Discovery_Polling_LED
            = Bool(PollingLed, Enabled, Def(site.Discovery_Polling_LED, false));
        site.MCP_Delay
            = Int(SiteConfig, QStringLiteral("MCP Delay"), Def(site.MCP_Delay, 1), DelayField);
        site.Detector_Delay = Int(
            SiteConfig, QStringLiteral("Detector Delay"), Def(site.Detector_Delay, 9), DelayField);
        site.IO_Delay
            = Int(SiteConfig, QStringLiteral("IO Delay"), Def(site.IO_Delay, 1), DelayField);
        // One key for the resound flag, where stored files hold it.
        site.ReSound_Function = Bool(ReSoundSection, ReSoundKey, Def(site.ReSound_Function, false));
        site.BST_Adjustment = Bool(BstAdjustment, Enabled, Def(site.BST_Adjustment, true));
        site.RealTime_Event_Output
            = Bool(RealTimeEventOutput, Enabled, Def(site.RealTime_Event_Output, false));

        doc.PulsedTone = Int(Tone, QStringLiteral("Int"), doc.PulsedTone, ToneField);
        doc.ContinuousTone
            = Int(Tone, QStringLiteral("Cont"), Def(doc.ContinuousTone, 0), ToneField);
    }

    void ReadNetwork()
    {
        for (int n = 1; n <= MaxNetworkPanels; ++n) {
            TNetwork& panel = doc.RepeaterList.Repeaters[n];
            panel.Name = Str(RepeaterName, RepeaterKey(n), Def(panel.Name, QString()));
            panel.Fitted = Bool(RepeaterFitted, RepeaterKey(n), Def(panel.Fitted, false));
        }
        TZOL_Network& net = doc.Network;
        for (int n = 1; n <= MaxNetworkPanels; ++n) {
            net.AcceptFaults[n] = Bool(AcceptFaults, PanelKey(n), false);
            net.AcceptAlarms[n] = Bool(AcceptAlarms, PanelKey(n), false);
            net.AcceptControls[n] = Bool(AcceptControls, PanelKey(n), false);
            net.AcceptDisablements[n] = Bool(AcceptDisablements, PanelKey(n), false);
            net.AcceptOccupied[n] = Bool(AcceptOccupied, PanelKey(n), false);
        }
        doc.RepeaterList.PanelName
            = Str(NetworkConfig, NetworkPanelName, QStringLiteral("Main Panel"));
        doc.RepeaterList.Segment = Int(NetworkConfig, SegmentNumber, 1, ByteField);
    }

    void ReadCauseAndEffect()
    {
        for (int n = 1; n <= CEEventCount; ++n) {
            const QString key = EventKey(n);
            const QString text = Str(CEEvent, key, QStringLiteral("0/0/0/0/0/0/"));
            TC_EArray& event = doc.C_ETable.Events[n];
            qsizetype from = 0;
            for (int i = 1; i <= 6; ++i) {
                const qsizetype slash = text.indexOf(QLatin1Char('/'), from);
                const auto value = slash < 0 ? std::nullopt
                                             : TProfileFile::ParseWideInteger(text.mid(from, slash - from));
                if (!value)
                    throw TConfigReadError(
                        QStringLiteral("Section \"%1\", key \"%2\": \"%3\" is not six whole "
                                       "numbers each followed by \"/\".")
                            .arg(CEEvent, key, text));
                // Action, trigger and reset are bytes, their targets words.
                const TRange range = i % 2 ? ByteField : WordField;
                if (*value < range.Low || *value > range.High)
                    throw TConfigReadError(OutOfRange(CEEvent, key, range));
                event.Value(i) = static_cast<int>(*value);
                from = slash + 1;
            }
        }
        for (int n = 1; n <= CETimeCount; ++n)
            doc.C_ETable.Times[n] = Str(CETimes, EventKey(n), QStringLiteral("00:00"));
    }
};

} // namespace

void ReadConfiguration(const TProfileFile& profile, const QString& comments, TData& target,
                       TPrompts& prompts)
{
    TReader r{profile, target};
    r.ReadVersions();
    r.newDefaults = !profile.ReadString(Header, MainVersion, QString()).isEmpty()
        && profile.ReadString(Header, PanelType, QString()) == PanelTypeValue;

    const QString panelType = profile.ReadString(Header, PanelType, QStringLiteral("QEM"));
    if (panelType != PanelTypeValue && !target.SiteConfig.Loop2Version.isEmpty())
        r.converting = prompts.confirm(ConvertQuestion, TPromptButtons::pbYesNo) == TPromptAnswer::paYes;
    target.ConvertingFile = r.converting;

    qint64 loopType = r.Wide(Loop, LoopType, 0);
    if (r.converting)
        loopType -= 2;
    if (loopType >= stApolloLoop && loopType <= stNittanLoop) {
        target.Loop1.SystemType = static_cast<TSystemType>(loopType);
        target.Loop2.SystemType = static_cast<TSystemType>(loopType);
    }
    target.ResetToNew();

    const int points = target.NoLoopDevices();
    for (int p = 1; p <= points; ++p)
        r.ReadPoint(target.Loop1, 1, p);
    for (int p = 1; p <= points; ++p)
        r.ReadPoint(target.Loop2, 2, p);

    r.ReadZones();
    r.ReadSite();
    r.ReadNetwork();
    target.Comments = comments;
    r.ReadVersions();
    target.RebuildNameTable();
    r.ReadCauseAndEffect();

    target.ConvertingFile = false;
    target.MarkSaved();
}

QString ConfigSizeRefusal(qint64 size)
{
    if (size <= MaxConfigFileBytes)
        return {};
    return QStringLiteral("it is %1 MB, more than any configuration (at most %2 MB)")
        .arg(QString::number(double(size) / (1024 * 1024), 'f', 1))
        .arg(MaxConfigFileBytes / (1024 * 1024));
}

QString ConfigLineRefusal(const QByteArray& bytes)
{
    qsizetype start = 0;
    int line = 1;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        if (end - start > MaxConfigLineBytes)
            return QStringLiteral("line %1 is longer than any configuration line (%2 KB at most)")
                .arg(line)
                .arg(MaxConfigLineBytes / 1024);
        start = end + 1;
        ++line;
    }
    return {};
}

QStringList MissingConfigSections(const TProfileFile& profile, const QByteArray& bytes)
{
    const bool savedByUs = !profile.ReadString(Header, MainVersion, QString()).isEmpty();
    const bool endsMidLine = !bytes.isEmpty() && !bytes.endsWith('\n');
    if (!savedByUs && !endsMidLine)
        return {};
    static const QStringList always = {Loop,        DetectorType, ZoneConfig, GroupConfig,
                                       Maintenance, AccessCodes,  SiteConfig};
    QStringList missing;
    if (profile.ReadString(Header, PanelType, QString()) != PanelTypeValue) {
        // A file of an older panel type has keys of its own; its main sections are required.
        for (const QString& section : always)
            if (!profile.SectionExists(section))
                missing << section;
        return missing;
    }
    // Every save writes the same keys for a protocol: a file lacking any was cut off (at a
    // line end too) or shortened by hand. A section is named whole, or with what it lacks.
    TData shape;
    const qint64 type = profile.ReadWideInteger(Loop, LoopType).value_or(stApolloLoop);
    if (type >= stApolloLoop && type <= stNittanLoop)
        shape.SwitchProtocol(static_cast<TSystemType>(type));
    TProfileFile expected;
    WriteConfiguration(shape, expected);
    QString section;
    int lacking = 0;
    auto close = [&] {
        if (lacking > 0)
            missing << (profile.SectionExists(section)
                            ? QStringLiteral("%1 (%2 keys)").arg(section).arg(lacking)
                            : section);
        lacking = 0;
    };
    for (const QByteArray& line : expected.ToBytes().split('\n')) {
        const QString text = QString::fromLatin1(line).trimmed();
        if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'))) {
            close();
            section = text.mid(1, text.size() - 2);
        } else if (const qsizetype eq = text.indexOf(QLatin1Char('=')); eq > 0) {
            if (!profile.ValueExists(section, text.left(eq).trimmed()))
                ++lacking;
        }
    }
    close();
    return missing;
}

QString MissingSectionsWarning(const QString& path, const QStringList& missing)
{
    return QStringLiteral("The file %1 lacks what every saved configuration has (%2): it may "
                          "have been cut off. What it lacks opens as New leaves it; check the "
                          "configuration before sending it to a panel.")
        .arg(path, missing.join(QStringLiteral(", ")));
}

#pragma once

#include <QString>

#include <array>

// Section and key names of the configuration file, spelled as stored files have them.
namespace ConfigKeys {

// Numbered names (Zone7, Z7G12 ...) are built once: reading and writing a configuration asks
// for each of them many times.
template <int Rows, int Columns, typename Make>
const QString& NumberedName(int row, int column, Make make)
{
    struct TTable {
        std::array<std::array<QString, Columns + 1>, Rows + 1> Names;
        explicit TTable(Make m)
        {
            for (int r = 0; r <= Rows; ++r)
                for (int c = 0; c <= Columns; ++c)
                    Names[r][c] = m(r, c);
        }
    };
    static const TTable table(make);
    Q_ASSERT(row >= 0 && row <= Rows && column >= 0 && column <= Columns);
    return table.Names[row][column];
}

inline const QString Header = QStringLiteral("QEM Header");
inline const QString FileType = QStringLiteral("FileType");
inline const QString FileTypeValue = QStringLiteral("Prog Tools");
inline const QString MainVersion = QStringLiteral("Main Version");
inline const QString PanelType = QStringLiteral("Panel Type");
inline const QString PanelTypeValue = QStringLiteral("ZOL");
inline const QString FrontPanel = QStringLiteral("Front Panel");
inline const QString Loop1Version = QStringLiteral("Loop 1");
inline const QString Loop2Version = QStringLiteral("Loop 2");

inline const QString Loop = QStringLiteral("Loop");
inline const QString LoopType = QStringLiteral("Type");

inline const QString DetectorNames = QStringLiteral("Detector Names");
inline const QString DetectorType = QStringLiteral("Detector Type");
inline const QString DetectorDisabled = QStringLiteral("Detector Disabled");
inline const QString DetectorZone = QStringLiteral("Detector Zone");
inline const QString SharedData = QStringLiteral("SharedData");
inline const QString& DetectorSubName(int k)
{
    return NumberedName<3, 0>(k, 0, [](int r, int) {
        return QStringLiteral("Detector SubName") + QString::number(r);
    });
}

inline const QString ZoneConfig = QStringLiteral("Zone Config");
inline const QString SounderTimers = QStringLiteral("SounderTimers");
inline const QString RemoteTimers = QStringLiteral("RemoteTimers");
inline const QString Relay1Timer = QStringLiteral("Relay1Timer");
inline const QString Relay2Timer = QStringLiteral("Relay2Timer");
inline const QString& Dependancy(int i)
{
    return NumberedName<6, 0>(i, 0, [](int r, int) {
        return QStringLiteral("Dependancy") + QString::number(r);
    });
}
inline const QString SounderEnable = QStringLiteral("SounderEnable");
inline const QString MCPEnable = QStringLiteral("MCPEnable");
inline const QString NonFireEnable = QStringLiteral("NonFireEnable");
inline const QString EndDelays = QStringLiteral("EndDelays");
inline const QString GroupConfig = QStringLiteral("GroupConfig");
inline const QString SetConfig = QStringLiteral("SetConfig");
inline const QString DelayTimer = QStringLiteral("DelayTimer");
inline const QString& ZoneKey(int n)
{
    return NumberedName<40, 0>(n, 0, [](int r, int) {
        return QStringLiteral("Zone") + QString::number(r);
    });
}
inline const QString& GroupKey(int zone, int group)
{
    return NumberedName<40, 16>(zone, group, [](int z, int g) {
        return QLatin1Char('Z') + QString::number(z) + QLatin1Char('G') + QString::number(g);
    });
}
inline const QString& SetKey(int zone, int set)
{
    return NumberedName<40, 18>(zone, set, [](int z, int s) {
        return QLatin1Char('Z') + QString::number(z) + QLatin1Char('S') + QString::number(s);
    });
}

inline const QString Maintenance = QStringLiteral("Maintenance");
inline const QString Quiescent = QStringLiteral("Quiescent");
inline const QString Text = QStringLiteral("Text");
inline const QString Date = QStringLiteral("Date");
inline const QString Enabled = QStringLiteral("Enabled");
inline const QString AccessCodes = QStringLiteral("AccessCodes");
inline const QString FaultLockout = QStringLiteral("FaultLockout");
inline const QString PhasedDelay = QStringLiteral("PhasedDelay");
inline const QString Time = QStringLiteral("Time");
inline const QString PulsedOn = QStringLiteral("Pulsed On");
inline const QString SiteConfig = QStringLiteral("Site Config");
inline const QString Investigation = QStringLiteral("Investigation");
inline const QString PanelSounderGroups = QStringLiteral("Panel_Sounder_Groups");
inline const QString EnableFlags = QStringLiteral("Enable_Flags");
inline const QString PollingLed = QStringLiteral("Polling_LED");
inline const QString ReSoundSection = QStringLiteral("SiteConfig");
inline const QString ReSoundKey = QStringLiteral("ReSound");
inline const QString BstAdjustment = QStringLiteral("BST Adjustment");
inline const QString RealTimeEventOutput = QStringLiteral("RealTime Event Output");
inline const QString Tone = QStringLiteral("Tone");

inline const QString RepeaterName = QStringLiteral("Repeater Name");
inline const QString RepeaterFitted = QStringLiteral("Repeater Fitted");
inline QString RepeaterKey(int n) { return QStringLiteral("Repeater") + QString::number(n); }
inline const QString AcceptFaults = QStringLiteral("Accept Faults");
inline const QString AcceptAlarms = QStringLiteral("Accept Alarms");
inline const QString AcceptControls = QStringLiteral("Accept Controls");
inline const QString AcceptDisablements = QStringLiteral("Accept Disablements");
inline const QString AcceptOccupied = QStringLiteral("Accept Occupied");
inline QString PanelKey(int n) { return QStringLiteral("Panel") + QString::number(n); }
inline const QString NetworkConfig = QStringLiteral("Network Config");
inline const QString NetworkPanelName = QStringLiteral("Panel Name");
inline const QString SegmentNumber = QStringLiteral("Segment Number");

inline const QString CEEvent = QStringLiteral("C_EEvent");
inline const QString CETimes = QStringLiteral("C_ETimes");
inline QString EventKey(int n) { return QStringLiteral("Event") + QString::number(n); }

} // namespace ConfigKeys

#pragma once

#include "model/IndexedArray.h"

#include <QDate>
#include <QString>

constexpr int InfiniteDelay = 65535;
inline const QString NotAvailableVersion = QStringLiteral("Not Available");
inline const QString KeyswitchCode = QStringLiteral("7777");

// Everything about the installation that is not loops or zones.
struct TSiteConfig {
    QString ClientName;
    QString ClientAddress1, ClientAddress2, ClientAddress3, ClientAddress4, ClientAddress5;
    QString InstallerName;
    QString InstallerAddress1, InstallerAddress2, InstallerAddress3, InstallerAddress4,
        InstallerAddress5;
    QString PanelLocation;
    QString Engineer;
    QString EngineerNo;
    QString MaintenanceString;
    QString QuiescentString;
    QDate MaintenanceDate;
    bool DateEnabled = false;
    QString AL2Code;
    QString AL3Code;
    int PhasedDelay = 0;
    bool SoundersPulsed = false;
    int FaultLockout = 0;
    bool CopyTime = false;
    QString NightBegin;
    QString NightEnd;
    QString ReCalTime;
    int Day_Enable_Flags = 0;
    int Night_Enable_Flags = 0;
    int InvestigationPeriod = 0;
    int InvestigationPeriod1 = 0;
    int PanelSounder1_Group = 1;
    int PanelSounder2_Group = 2;
    bool Discovery_Polling_LED = false;
    int MCP_Delay = 1;
    int Detector_Delay = 1;
    int IO_Delay = 1;
    bool ReSound_Function = false;
    bool BST_Adjustment = false;
    bool RealTime_Event_Output = false;
    QString MainVersion;
    QString FrontPanelVersion;
    QString Loop1Version;
    QString Loop2Version;

    // Client address line 1..5 and installer address line 1..5.
    QString& ClientAddress(int line);
    QString& InstallerAddress(int line);
    const QString& ClientAddress(int line) const;
    const QString& InstallerAddress(int line) const;

    // MainVersion, or "09A06" when it is empty.
    QString GetMainVersion() const;
    bool KeyswitchOperated() const { return AL2Code == KeyswitchCode; }

    void ResetToNew();
};

// Feature availability by the panel's main firmware version (plain text comparison, so
// "Not Available" is later than every version and offers everything).
bool OffersDaylightSaving(const TSiteConfig& site);
bool OffersRealTimeEventOutput(const TSiteConfig& site);
bool OffersAlarmVerification(const TSiteConfig& site);
bool OffersPollingLed(const TSiteConfig& site, bool apolloProtocol);

// The access-code fields take only the digits 1..4; control characters (backspace …) pass.
bool AccessCodeKeyAllowed(QChar key);

// The level 2 code field's label: "KeySwitch Operated" while AL2Code is "7777" (the field is
// then hidden and "Keyswitch Operated" ticked), otherwise "Access Level 2 Code".
QString AccessLevel2Caption(const TSiteConfig& site);

// Result of leaving an access-code field.
struct TAccessCodeCheck {
    bool Valid = true;
    bool IsWarning = false; // a warning, otherwise an error message
    QString Message;
};
// Level is the field being left: 2 or 3.
TAccessCodeCheck CheckAccessCodes(const TSiteConfig& site, int level);

struct TNetwork {
    bool Fitted = false;
    QString Name;
};

// This panel's network name and segment, and the network panels 1..8 (entries 9..16 are
// kept but unused).
struct TRepeaterList {
    QString PanelName = QStringLiteral("Main Panel");
    int Segment = 1;
    TIndexedArray<TNetwork, 1, 16> Repeaters;

    void ResetToNew();
};

constexpr int MaxNetworkPanels = 8;

// Which events this panel accepts from each network panel 1..8.
struct TZOL_Network {
    TIndexedArray<bool, 1, MaxNetworkPanels> AcceptFaults;
    TIndexedArray<bool, 1, MaxNetworkPanels> AcceptAlarms;
    TIndexedArray<bool, 1, MaxNetworkPanels> AcceptControls;
    TIndexedArray<bool, 1, MaxNetworkPanels> AcceptDisablements;
    TIndexedArray<bool, 1, MaxNetworkPanels> AcceptOccupied;

    void ResetToNew();
};

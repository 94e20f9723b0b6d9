#include "model/SiteConfig.h"

QString& TSiteConfig::ClientAddress(int line)
{
    switch (line) {
    case 1: return ClientAddress1;
    case 2: return ClientAddress2;
    case 3: return ClientAddress3;
    case 4: return ClientAddress4;
    case 5: return ClientAddress5;
    }
    ZolIndexFailure(line, 1, 5);
}

QString& TSiteConfig::InstallerAddress(int line)
{
    switch (line) {
    case 1: return InstallerAddress1;
    case 2: return InstallerAddress2;
    case 3: return InstallerAddress3;
    case 4: return InstallerAddress4;
    case 5: return InstallerAddress5;
    }
    ZolIndexFailure(line, 1, 5);
}

const QString& TSiteConfig::ClientAddress(int line) const
{
    return const_cast<TSiteConfig*>(this)->ClientAddress(line);
}

const QString& TSiteConfig::InstallerAddress(int line) const
{
    return const_cast<TSiteConfig*>(this)->InstallerAddress(line);
}

QString TSiteConfig::GetMainVersion() const
{
    return MainVersion.isEmpty() ? QStringLiteral("09A06") : MainVersion;
}

void TSiteConfig::ResetToNew()
{
    ClientName.clear();
    for (int i = 1; i <= 5; ++i)
        ClientAddress(i).clear();
    InstallerName.clear();
    for (int i = 1; i <= 5; ++i)
        InstallerAddress(i).clear();
    PanelLocation.clear();
    Engineer.clear();
    EngineerNo.clear();
    AL2Code = QStringLiteral("3412");
    AL3Code = QStringLiteral("1243");
    MaintenanceString = QStringLiteral("Call the Engineer");
    QuiescentString = QStringLiteral("ZOL Fire Panel");
    MaintenanceDate = QDate(2099, 1, 1);
    DateEnabled = false;
    PhasedDelay = InfiniteDelay;
    SoundersPulsed = false;
    FaultLockout = 10;
    CopyTime = false;
    InvestigationPeriod = 300;
    InvestigationPeriod1 = 180;
    NightBegin = QStringLiteral("00:00");
    NightEnd = QStringLiteral("00:00");
    ReCalTime = QStringLiteral("04:00");
    PanelSounder1_Group = 1;
    PanelSounder2_Group = 2;
    Day_Enable_Flags = 0;
    Night_Enable_Flags = 0;
    Discovery_Polling_LED = true;
    BST_Adjustment = true;
    RealTime_Event_Output = false;
    MCP_Delay = 1;
    IO_Delay = 1;
    Detector_Delay = 5;
    ReSound_Function = false;
}

bool OffersDaylightSaving(const TSiteConfig& site)
{
    return site.GetMainVersion() >= QStringLiteral("09A00");
}

bool OffersRealTimeEventOutput(const TSiteConfig& site)
{
    return site.GetMainVersion() >= QStringLiteral("09A07");
}

bool OffersAlarmVerification(const TSiteConfig& site)
{
    return site.GetMainVersion() > QStringLiteral("08A43");
}

bool OffersPollingLed(const TSiteConfig& site, bool apolloProtocol)
{
    return apolloProtocol && site.GetMainVersion() > QStringLiteral("08A31");
}

bool AccessCodeKeyAllowed(QChar key)
{
    const char16_t c = key.unicode();
    if (c >= 32 && c <= 121)
        return c >= u'1' && c <= u'4';
    return true;
}

QString AccessLevel2Caption(const TSiteConfig& site)
{
    return site.KeyswitchOperated() ? QStringLiteral("KeySwitch Operated")
                                    : QStringLiteral("Access Level 2 Code");
}

TAccessCodeCheck CheckAccessCodes(const TSiteConfig& site, int level)
{
    TAccessCodeCheck result;
    const QString other = level == 2 ? QStringLiteral("3") : QStringLiteral("2");
    const QString& code = level == 2 ? site.AL2Code : site.AL3Code;
    if (site.AL2Code == site.AL3Code) {
        result.Valid = false;
        result.IsWarning = true;
        result.Message = QStringLiteral("Warning. Cannot have the same code as Access Level ") + other;
    } else if (code.size() != 4) {
        result.Valid = false;
        result.Message = QStringLiteral("Error. Access Level ") + QString::number(level)
            + QStringLiteral(" code must have 4 digits");
    }
    return result;
}

void TRepeaterList::ResetToNew()
{
    for (int n = 1; n <= MaxNetworkPanels; ++n) {
        Repeaters[n].Name = QStringLiteral("Panel ") + QString::number(n);
        Repeaters[n].Fitted = false;
    }
    Repeaters[1].Fitted = true;
    PanelName = QStringLiteral("Main Panel");
    Segment = 1;
}

void TZOL_Network::ResetToNew()
{
    AcceptFaults.Fill(false);
    AcceptAlarms.Fill(false);
    AcceptControls.Fill(false);
    AcceptDisablements.Fill(false);
    AcceptOccupied.Fill(false);
}

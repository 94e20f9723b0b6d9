#include "safety/ConfigCheck.h"
#include "safety/SafetySettings.h"

#include "model/Data.h"
#include "storage/ScriptedPrompts.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QDate Today(2026, 6, 1);

// The first code of the protocol whose device class is wanted.
int CodeOfClass(TSystemType type, int deviceClass)
{
    for (int code = 0; code < NotFittedCode; ++code)
        if (DeviceClassOf(type, code) == deviceClass)
            return code;
    ADD_FAILURE() << "no code of class " << deviceClass;
    return NotFittedCode;
}

void Place(TData& data, int loop, int point, int deviceClass, int zone)
{
    TQEMLoop& l = data.Loop(loop);
    l.PlaceDevice(point, CodeOfClass(l.SystemType, deviceClass));
    l.Devices[point].Zone = zone;
}

bool Has(const QList<TFinding>& findings, TFindingSeverity severity, TPanelPage page, int item)
{
    return std::any_of(findings.begin(), findings.end(), [&](const TFinding& f) {
        return f.Severity == severity && f.Page == page && f.Item == item;
    });
}

QString Dump(const QList<TFinding>& findings)
{
    QString text;
    for (const TFinding& f : findings)
        text += TConfigCheck::SeverityText(f.Severity) + QStringLiteral(" ") + PageCaption(f.Page)
            + QStringLiteral(" ") + QString::number(f.Item) + QStringLiteral(": ") + f.Text + '\n';
    return text;
}

struct TCase {
    const char* Name;
    std::function<void(TData&)> Change;
    TFindingSeverity Severity;
    TPanelPage Page;
    int Item;
};

} // namespace

TEST(ConfigCheck, NewConfigurationHasNoErrorOnlyTheDefaultCodesNote)
{
    for (TSystemType type : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        TData data;
        data.SwitchProtocol(type);
        const QList<TFinding> findings = TConfigCheck::Run(data, DefaultMaxOutputDelay, Today);
        ASSERT_EQ(findings.size(), 1) << Dump(findings).toStdString();
        EXPECT_EQ(findings.first().Severity, fsNote);
        EXPECT_EQ(findings.first().Page, ppSiteConfig);
        EXPECT_FALSE(TConfigCheck::HasErrors(findings));
    }
}

TEST(ConfigCheck, EachKindOfFaultIsFoundWhereItIs)
{
    const TCase cases[] = {
        {"invalid access code", [](TData& d) { d.SiteConfig.AL2Code = "1259"; }, fsError,
         ppSiteConfig, 0},
        {"equal access codes",
         [](TData& d) { d.SiteConfig.AL2Code = d.SiteConfig.AL3Code = "2222"; }, fsError,
         ppSiteConfig, 0},
        {"more than 256 descriptions",
         [](TData& d) {
             for (int p = 1; p <= 255; ++p) {
                 d.Loop1.Devices[p].Name = QStringLiteral("Room %1").arg(p);
                 d.Loop2.Devices[p].Name = QStringLiteral("Hall %1").arg(p);
             }
         },
         fsError, ppLoopSummary, 0},
        {"more than 8192 characters",
         [](TData& d) {
             for (int p = 1; p <= 100; ++p)
                 d.Loop1.Devices[p].Name = QString(99, QLatin1Char('x')) + QString::number(p);
         },
         fsError, ppLoopSummary, 0},
        {"output delay above the maximum",
         [](TData& d) {
             d.ZoneList.Zone(3).Dependancy[1] = doInvestigation;
             d.ZoneList.Zone(3).SounderTimer = 500;
         },
         fsError, ppZoneConfig, 3},
        {"type the catalogue does not know",
         [](TData& d) {
             for (int code = 1; code < NotFittedCode; ++code)
                 if (DeviceClassOf(stApolloLoop, code) == dcInvalid
                     || DeviceLongName(stApolloLoop, code) == "Un-supported type") {
                     d.Loop1.Devices[7].TypeCode = code;
                     return;
                 }
             ADD_FAILURE() << "every code is known";
         },
         fsError, ppLoop1, 7},
        {"point on zone 35", [](TData& d) { Place(d, 1, 9, dcOptical, 35); }, fsError, ppLoop1, 9},
        {"sounder in group 17", [](TData& d) { Place(d, 2, 4, dcSounder, 17); }, fsError, ppLoop2, 4},
        {"output in set 19",
         [](TData& d) {
             Place(d, 1, 6, dcInputOutput, 19);
             // A multi-channel module drives its sets through its channels.
             if (d.Loop1.HasChannelNames(6))
                 d.Loop1.Devices[6].SharedData[1] = 0x80 | 19;
         },
         fsError, ppLoop1, 6},
        {"tone outside the list", [](TData& d) { d.ContinuousTone = 14; }, fsError, ppGroupConfig, 0},
        {"event on an empty address",
         [](TData& d) { d.C_ETable.Events[2] = {10, 4, 5, 0, 133, 0}; }, fsError, ppCEConfig, 2},
        {"event target beyond its list",
         [](TData& d) { d.C_ETable.Events[5] = {40, 17, 5, 0, 133, 0}; }, fsError, ppCEConfig, 5},
        {"triggered group without a sounder",
         [](TData& d) {
             Place(d, 1, 1, dcOptical, 2);
             Place(d, 1, 2, dcSounder, 1);
         },
         fsWarning, ppGroupConfig, 2},
        {"zone with detectors that triggers nothing",
         [](TData& d) {
             Place(d, 1, 1, dcManualCallPoint, 4);
             for (int g = 1; g <= MaxGroup; ++g)
                 d.ZoneList.Zone(4).GroupConfig[g] = grOff;
             for (int s = 1; s <= MaxSet; ++s)
                 d.ZoneList.Zone(4).SetConfig[s] = srNotTriggered;
         },
         fsWarning, ppZoneConfig, 4},
        {"own panel not fitted",
         [](TData& d) {
             d.RepeaterList.Repeaters[1].Fitted = false;
             d.RepeaterList.Repeaters[3].Fitted = true;
         },
         fsError, ppNetworkConfig, 1},
        {"maintenance date past", [](TData& d) { d.SiteConfig.MaintenanceDate = QDate(2026, 5, 31); },
         fsNote, ppSiteConfig, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TData data;
        c.Change(data);
        const QList<TFinding> findings = TConfigCheck::Run(data, DefaultMaxOutputDelay, Today);
        EXPECT_TRUE(Has(findings, c.Severity, c.Page, c.Item)) << Dump(findings).toStdString();
        EXPECT_EQ(TConfigCheck::HasErrors(findings), c.Severity == fsError)
            << Dump(findings).toStdString();
    }
}

TEST(ConfigCheck, FoundSounderGroupsAndDelaysAreNamed)
{
    TData data;
    Place(data, 1, 1, dcOptical, 2);
    data.ZoneList.Zone(6).Dependancy[4] = doInvestigation;
    data.ZoneList.Zone(6).SounderTimer = 400;
    const QList<TFinding> findings = TConfigCheck::Run(data, DefaultMaxOutputDelay, Today);
    // Zone 2 triggers groups 1..5 of a new configuration, and no loop has a sounder.
    for (int g = 1; g <= 5; ++g)
        EXPECT_TRUE(Has(findings, fsWarning, ppGroupConfig, g)) << g;
    EXPECT_FALSE(Has(findings, fsWarning, ppGroupConfig, 6));
    const auto delay = std::find_if(findings.begin(), findings.end(),
                                    [](const TFinding& f) { return f.Page == ppZoneConfig; });
    ASSERT_NE(delay, findings.end());
    EXPECT_EQ(delay->Item, 6);
    EXPECT_TRUE(delay->Text.contains("Zone 6")) << delay->Text.toStdString();
}

TEST(ConfigCheck, SaveWithErrorsIsAskedOnlyWhenThereAreErrors)
{
    TScriptedPrompts prompts;
    TData data;
    EXPECT_TRUE(ConfirmSaveWithErrors(prompts, TConfigCheck::Run(data, DefaultMaxOutputDelay, Today)));
    EXPECT_TRUE(prompts.Records.isEmpty());

    data.SiteConfig.AL3Code = data.SiteConfig.AL2Code;
    prompts.Answers = {TPromptAnswer::paNo};
    EXPECT_FALSE(ConfirmSaveWithErrors(prompts, TConfigCheck::Run(data, DefaultMaxOutputDelay, Today)));
    ASSERT_EQ(prompts.Records.size(), 1);
    EXPECT_TRUE(prompts.Records.first().Text.contains("Site Config / Access Level 3 Code"));
}

TEST(SafetySettings, VerifyIsOnAndBackupOffUntilChangedAndThenRemembered)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath("settings.ini"), QSettings::IniFormat);
    TSafetySettings settings = TSafetySettings::Load(store);
    EXPECT_TRUE(settings.VerifyAfterSave);
    EXPECT_FALSE(settings.BackupBeforeSave);
    settings.VerifyAfterSave = false;
    settings.BackupBeforeSave = true;
    settings.Save(store);
    QSettings reopened(dir.filePath("settings.ini"), QSettings::IniFormat);
    settings = TSafetySettings::Load(reopened);
    EXPECT_FALSE(settings.VerifyAfterSave);
    EXPECT_TRUE(settings.BackupBeforeSave);
}

TEST(ConfigCheck, DevicesWithOnlyAShortNameAreKnownAndMergedNamesAreNoted)
{
    TData data;
    data.Loop1.PlaceDevice(5, 96); // Apollo "Disc Ion": a short name, no long name
    data.Loop1.Devices[5].Zone = 1;
    data.Loop1.Devices[1].TypeCode = 1; // a code the catalogue has no name for
    data.Loop1.PlaceDevice(2, 96);
    data.Loop1.Devices[2].Zone = 1;
    data.Loop1.Devices[2].Name = QStringLiteral("Reception");
    data.Loop1.Devices[5].Name = QStringLiteral("RECEPTION ");
    data.RebuildNameTable();
    const QList<TFinding> findings = TConfigCheck::Run(data, DefaultMaxOutputDelay, Today);
    EXPECT_FALSE(Has(findings, fsError, ppLoop1, 5)) << Dump(findings).toStdString();
    EXPECT_TRUE(Dump(findings).contains(
        "error Loop 1 1: Type code 1 is not an Apollo device the catalogue knows."))
        << Dump(findings).toStdString();
    EXPECT_TRUE(Dump(findings).contains(
        "note Loop Summary 0: The names 'Reception' and 'RECEPTION ' differ only in letter case "
        "or trailing blanks; the panel keeps them as one name, 'Reception'."))
        << Dump(findings).toStdString();
}

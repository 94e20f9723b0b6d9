#include "editors/zones/CEConfigPage.h"
#include "editors/zones/DelayTimePrompt.h"
#include "editors/zones/DependancyDialog.h"
#include "editors/zones/GroupConfigPage.h"
#include "editors/zones/SetConfigPage.h"
#include "editors/zones/VersionDependancyDialog.h"
#include "editors/zones/ZoneConfigPage.h"
#include "editors/zones/ZonesTestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

// Pictures of every page and dialog for a person to look at (run with
// --gtest_also_run_disabled_tests; ZOL_SHOT_DIR names the folder, /tmp by default).
void Grab(QWidget& w, const char* name, QSize size = {})
{
    if (size.isValid())
        w.resize(size);
    w.show();
    QApplication::processEvents();
    const QString dir = qEnvironmentVariable("ZOL_SHOT_DIR", QDir::tempPath());
    w.grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

TEST(ZonePagesScreenshots, DISABLED_EveryPageAndDialog)
{
    TEditorFixture f;
    f.Data.ResetToNew();
    f.Data.ZoneList.Zone(2).Dependancy[1] = doB;
    f.Data.ZoneList.Zone(3).SetConfig[4] = srDelayed;
    f.Data.ZoneList.Zone(3).GroupConfig[7] = grPulsed;
    f.Data.SiteConfig.InvestigationPeriod = 0;
    f.Data.SiteConfig.InvestigationPeriod1 = 0;
    TfrmZoneConfig zone(f.Context);
    zone.Refresh();
    Grab(zone, "zone", {1000, 700});
    TfrmGroupConfig group(f.Context);
    group.Refresh();
    Grab(group, "group", {1200, 700});
    TfrmSetConfig set(f.Context);
    set.Refresh();
    Grab(set, "set", {1300, 760});
    f.Data.C_ETable.Events[3] = TC_EArray{20, 4, 65, 516, 10, 7};
    TfrmCEConfig ce(f.Context);
    ce.Refresh();
    Grab(ce, "ce", {1400, 800});
    TfrmDependancy dependancy(f.Data, f.Prompts, 2);
    Grab(dependancy, "dependancy");
    TfrmDelay_Time_Prompt prompt(f.Prompts, 600);
    Grab(prompt, "delayprompt");
    TfrmVersionDependancy version;
    Grab(version, "version");
}

} // namespace

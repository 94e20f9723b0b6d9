#include "editors/site/NetworkConfigPage.h"
#include "editors/site/SiteConfigPage.h"

#include "editors/site/SitePageSupport.h"
#include "storage/ConfigFile.h"

#include <QCheckBox>
#include <QTemporaryDir>
#include <QToolButton>

class NetworkConfigPage : public TPageWindowTest<TfrmNetworkConfig> {};

TEST_F(NetworkConfigPage, RenamingPanelTwoRenamesZoneRow34)
{
    TypeAndLeave(Find<QLineEdit>("txtNetworkName2"), "Annex");
    EXPECT_EQ(f.Data.RepeaterList.Repeaters[2].Name, "Annex");
    EXPECT_EQ(f.Data.ZoneList.Zone(34).Name, "Annex");
    EXPECT_EQ(f.Data.ZoneList.Zone(33).Name, "Panel 1");
    EXPECT_TRUE(f.Data.Modified());

    // This panel's own name follows its entry.
    f.Data.PanelNumber = 2;
    page->Refresh();
    EXPECT_EQ(Find<QLineEdit>("txtThisPanelName")->text(), "Annex");
    TypeAndLeave(Find<QLineEdit>("txtNetworkName2"), "Warehouse North");
    EXPECT_EQ(Find<QLineEdit>("txtThisPanelName")->text(), "Warehouse Nort");
    // The name stops at 14 characters with a beep.
    EXPECT_EQ(f.Prompts.count(TScriptedPrompts::TKind::mkBeep), 1);
}

TEST_F(NetworkConfigPage, OwnPanelColumnIsDisabledInEveryRow)
{
    f.Data.PanelNumber = 3;
    page->Refresh();
    for (const char* row : {"Faults", "Alarms", "Controls", "Disablements", "Occupied"}) {
        for (int n = 1; n <= 8; ++n) {
            auto* box = Find<QCheckBox>(QStringLiteral("chkAccept%1%2").arg(row).arg(n));
            EXPECT_EQ(box->isEnabled(), n != 3) << row << n;
        }
    }
    Find<QCheckBox>("chkAcceptAlarms5")->click();
    EXPECT_TRUE(f.Data.Network.AcceptAlarms[5]);
    EXPECT_FALSE(f.Data.Network.AcceptFaults[5]);

    // The arrow keys move across the matrix and pass over the own panel's column.
    auto* start = Find<QCheckBox>("chkAcceptControls2");
    start->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(start, Qt::Key_Right);
    EXPECT_TRUE(Find<QCheckBox>("chkAcceptControls4")->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_TRUE(Find<QCheckBox>("chkAcceptDisablements4")->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(f.Data.Network.AcceptDisablements[4]);
}

// Values typed into both pages travel through the document into the file and back.
TEST_F(NetworkConfigPage, EditsSurviveSaveAndOpen)
{
    TfrmSiteConfig site(f.Context, &window);
    site.Refresh();
    window.layout()->addWidget(&site);
    TypeAndLeave(site.findChild<QLineEdit*>("txtClientAddress3"), "Mill Lane");
    TypeAndLeave(site.findChild<QLineEdit*>("txtAL3Code"), "4444");
    site.findChild<QToolButton*>("txtReCalTimeHoursUp")->click();
    site.findChild<QCheckBox*>("chkNightFri")->click();
    TypeAndLeave(Find<QLineEdit>("txtNetworkName4"), "Stores");
    Find<QCheckBox>("chkFitted4")->click();
    Find<QCheckBox>("chkAcceptDisablements4")->click();
    ASSERT_TRUE(f.Prompts.Records.isEmpty()) << f.Prompts.texts().join('|').toStdString();

    QTemporaryDir dir;
    const QString path = dir.filePath("site_Panel1.QEM");
    ASSERT_TRUE(TConfigFile(f.Data, f.Prompts).WriteFile(path));
    TEditorFixture reopened;
    ASSERT_TRUE(TConfigFile(reopened.Data, reopened.Prompts).Open(path));

    TfrmSiteConfig siteAgain(reopened.Context);
    TfrmNetworkConfig networkAgain(reopened.Context);
    siteAgain.Refresh();
    networkAgain.Refresh();
    EXPECT_EQ(siteAgain.findChild<QLineEdit*>("txtClientAddress3")->text(), "Mill Lane");
    EXPECT_EQ(siteAgain.findChild<QLineEdit*>("txtAL3Code")->text(), "4444");
    EXPECT_EQ(siteAgain.findChild<QLineEdit*>("txtReCalTime")->text(), "05:00");
    EXPECT_TRUE(siteAgain.findChild<QCheckBox*>("chkNightFri")->isChecked());
    EXPECT_EQ(networkAgain.findChild<QLineEdit*>("txtNetworkName4")->text(), "Stores");
    EXPECT_TRUE(networkAgain.findChild<QCheckBox*>("chkFitted4")->isChecked());
    EXPECT_TRUE(networkAgain.findChild<QCheckBox*>("chkAcceptDisablements4")->isChecked());
    EXPECT_EQ(reopened.Data.ZoneList.Zone(36).Name, "Stores");
}

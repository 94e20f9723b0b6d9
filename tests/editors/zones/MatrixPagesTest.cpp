#include "editors/zones/GroupConfigPage.h"
#include "editors/zones/OutputMatrix.h"
#include "editors/zones/SetConfigPage.h"
#include "editors/zones/TimeSpinButton.h"
#include "editors/zones/ZonesTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

QPoint Centre(const TOutputMatrix* m, int row, int column)
{
    return m->CellRect(row, column).center();
}

void Click(TOutputMatrix* m, int row, int column)
{
    QTest::mouseClick(m, Qt::LeftButton, {}, Centre(m, row, column));
}

void Drag(TOutputMatrix* m, int row1, int column1, int row2, int column2)
{
    QTest::mousePress(m, Qt::LeftButton, {}, Centre(m, row1, column1));
    QTest::mouseMove(m, Centre(m, (row1 + row2) / 2, (column1 + column2) / 2));
    QTest::mouseRelease(m, Qt::LeftButton, {}, Centre(m, row2, column2));
}

int CountGroups(const TData& data, int value)
{
    int n = 0;
    for (int zone = 1; zone <= MaxZone; ++zone)
        for (int g = 1; g <= MaxGroup; ++g)
            n += data.ZoneList.Zone(zone).GroupConfig[g] == value ? 1 : 0;
    return n;
}

template <class TPageClass>
struct TMatrixPage : TEditorFixture {
    TPageClass Page{Context};
    explicit TMatrixPage(TSystemType protocol = stApolloLoop)
    {
        Data.SwitchProtocol(protocol);
        Data.ResetToNew();
        Data.MarkSaved();
        Page.ProtocolApplied();
        Page.Refresh();
    }
};

TEST(GroupConfigPage, SetAllPulsedReleasesTheToolsSoClicksChangeNothing)
{
    TMatrixPage<TfrmGroupConfig> t;
    EXPECT_TRUE(t.Page.Tool(grOff)->isChecked());
    QTest::mouseClick(t.Page.SetAllButton(grPulsed), Qt::LeftButton);
    EXPECT_EQ(CountGroups(t.Data, grPulsed), 640);
    EXPECT_TRUE(t.Data.Modified());
    for (int v = 0; v < 3; ++v)
        EXPECT_FALSE(t.Page.Tool(v)->isChecked());
    Click(t.Page.Matrix(), 3, 3);
    EXPECT_EQ(t.Data.ZoneList.Zone(3).GroupConfig[3], grPulsed);

    TData reopened;
    ASSERT_TRUE(SaveAndReopen(t.Data, reopened));
    EXPECT_EQ(CountGroups(reopened, grPulsed), 640);
}

TEST(GroupConfigPage, DraggedRectangleSkipsSeparatorsAndLabels)
{
    TMatrixPage<TfrmGroupConfig> t;
    QTest::mouseClick(t.Page.SetAllButton(grOff), Qt::LeftButton);
    QTest::mouseClick(t.Page.Tool(grContinuous), Qt::LeftButton);
    // Rows 0..4 (the header row is skipped), columns 4..13: groups 4..11 across two separators.
    Drag(t.Page.Matrix(), 4, 13, 0, 4);
    EXPECT_EQ(CountGroups(t.Data, grContinuous), 4 * 8);
    for (int g : {4, 5, 6, 10, 11})
        EXPECT_EQ(t.Data.ZoneList.Zone(1).GroupConfig[g], grContinuous) << g;
    EXPECT_EQ(t.Data.ZoneList.Zone(5).GroupConfig[4], grOff);
    EXPECT_EQ(t.Data.ZoneList.Zone(1).GroupConfig[12], grOff);

    // A click on the label column paints nothing; a click on group 16 paints it.
    Click(t.Page.Matrix(), 40, 0);
    EXPECT_EQ(CountGroups(t.Data, grContinuous), 32);
    Click(t.Page.Matrix(), 40, 19);
    EXPECT_EQ(t.Data.ZoneList.Zone(40).GroupConfig[16], grContinuous);
}

TEST(GroupConfigPage, KeyboardCursorPaintsAndReadsCells)
{
    TMatrixPage<TfrmGroupConfig> t;
    TOutputMatrix* m = t.Page.Matrix();
    t.Data.ZoneList.Zone(3).Name = "Plant Room";
    QTest::mouseClick(t.Page.Tool(grPulsed), Qt::LeftButton);
    m->setFocus();
    // From zone 1, group 1: right to group 5, over the separator to group 6, down one.
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(m, Qt::Key_Right);
    QTest::keyClick(m, Qt::Key_Down);
    EXPECT_EQ(m->accessibleDescription(), "Zone 2, Group 6: Off");
    QTest::keyClick(m, Qt::Key_Space);
    EXPECT_EQ(m->accessibleDescription(), "Zone 2, Group 6: Pulsed");
    // Shift+arrows stretch a rectangle that Space paints.
    QTest::keyClick(m, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(m, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(m, Qt::Key_Space);
    EXPECT_EQ(CountGroups(t.Data, grPulsed), 4);
    EXPECT_EQ(t.Data.ZoneList.Zone(3).GroupConfig[7], grPulsed);
    EXPECT_EQ(m->accessibleDescription(), "Zone 3 – Plant Room, Group 7: Pulsed");
}

TEST(GroupConfigPage, ToneListsFollowTheProtocol)
{
    TMatrixPage<TfrmGroupConfig> t;
    auto* continuous = t.Page.findChild<QComboBox*>("cboContinuousTone");
    auto* pulsed = t.Page.findChild<QComboBox*>("cboPulsedTone");
    auto* hochiki = t.Page.findChild<QComboBox*>("cboHochikiPulsedTone");
    EXPECT_FALSE(continuous->isHidden());
    EXPECT_TRUE(hochiki->parentWidget()->isHidden());
    EXPECT_FALSE(pulsed->isEnabled());
    continuous->setCurrentIndex(0);
    for (int i = 0; i < 13; ++i)
        QTest::keyClick(continuous, Qt::Key_Down);
    EXPECT_EQ(t.Data.ContinuousTone, 13);
    EXPECT_EQ(t.Data.PulsedTone, 13);
    EXPECT_EQ(pulsed->currentText(), "970Hz Intermittent 1s on, 1s off");

    // A tone outside the family shows no selection and is kept.
    t.Data.ContinuousTone = 20;
    t.Page.Refresh();
    EXPECT_EQ(continuous->currentIndex(), -1);
    EXPECT_EQ(pulsed->currentIndex(), -1);
    EXPECT_EQ(t.Data.ContinuousTone, 20);

    t.Data.SwitchProtocol(stHochikiLoop);
    t.Page.ProtocolApplied();
    EXPECT_FALSE(hochiki->parentWidget()->isHidden());
    EXPECT_TRUE(continuous->parentWidget()->isHidden());
    EXPECT_EQ(hochiki->count(), 7);
}

TEST(GroupConfigPage, PhasedDelayAndPanelSounders)
{
    TMatrixPage<TfrmGroupConfig> t;
    TTimeSpinButton* phased = t.Page.PhasedDelaySpin();
    t.Data.SiteConfig.PhasedDelay = 600;
    t.Page.Refresh();
    QTest::keyClick(phased, Qt::Key_Up);
    EXPECT_EQ(phased->text(), "--");
    EXPECT_EQ(t.Data.SiteConfig.PhasedDelay, 65535);
    QTest::keyClick(phased, Qt::Key_Up);
    EXPECT_EQ(t.Data.SiteConfig.PhasedDelay, 30);
    auto* sounder2 = t.Page.findChild<QSpinBox*>("spnPanelSounder2");
    sounder2->setFocus();
    QTest::keyClick(sounder2, Qt::Key_Up);
    EXPECT_EQ(t.Data.SiteConfig.PanelSounder2_Group, 3);
    // A refresh does not write back.
    t.Data.SiteConfig.PanelSounder1_Group = 40;
    t.Page.Refresh();
    EXPECT_EQ(t.Data.SiteConfig.PanelSounder1_Group, 40);

    TData reopened;
    ASSERT_TRUE(SaveAndReopen(t.Data, reopened));
    EXPECT_EQ(reopened.SiteConfig.PhasedDelay, 30);
    EXPECT_EQ(reopened.SiteConfig.PanelSounder2_Group, 3);
}

TEST(SetConfigPage, PulsedOnlyInRelayColumnsOffHochiki)
{
    TMatrixPage<TfrmSetConfig> apollo;
    TOutputMatrix* m = apollo.Page.Matrix();
    const TZone& z = apollo.Data.ZoneList.Zone(1);
    QTest::mouseClick(apollo.Page.Tool(srPulsed), Qt::LeftButton);
    Click(m, 1, 3);
    EXPECT_EQ(z.SetConfig[3], srNotTriggered);
    EXPECT_FALSE(apollo.Data.Modified());
    Click(m, 1, 22);
    EXPECT_EQ(z.SetConfig[18], srPulsed);
    // A rectangle starting in the set columns paints nothing, not even its relay cells.
    Drag(m, 2, 19, 3, 21);
    EXPECT_EQ(apollo.Data.ZoneList.Zone(2).SetConfig[17], srContinuous);
    EXPECT_EQ(apollo.Data.ZoneList.Zone(2).SetConfig[16], srNotTriggered);

    TMatrixPage<TfrmSetConfig> hochiki(stHochikiLoop);
    QTest::mouseClick(hochiki.Page.Tool(srPulsed), Qt::LeftButton);
    Click(hochiki.Page.Matrix(), 1, 3);
    EXPECT_EQ(hochiki.Data.ZoneList.Zone(1).SetConfig[3], srPulsed);
}

TEST(SetConfigPage, ToolsClearAllSilenceableAndDelayTime)
{
    TMatrixPage<TfrmSetConfig> t;
    TOutputMatrix* m = t.Page.Matrix();
    // "Not Triggered" paints at start with no tool down.
    for (int v = 0; v < 4; ++v)
        EXPECT_FALSE(t.Page.Tool(v)->isChecked());
    Click(m, 5, 21);
    EXPECT_EQ(t.Data.ZoneList.Zone(5).SetConfig[17], srNotTriggered);
    QTest::mouseClick(t.Page.Tool(srDelayed), Qt::LeftButton);
    Drag(m, 39, 17, 40, 19);
    EXPECT_EQ(t.Data.ZoneList.Zone(40).SetConfig[16], srDelayed);
    EXPECT_EQ(t.Data.ZoneList.Zone(39).SetConfig[15], srDelayed);
    m->setFocus();
    EXPECT_EQ(m->accessibleDescription(), "Panel 8, Set 16: Delayed");

    QTest::mouseClick(t.Page.SilenceableBox(18), Qt::LeftButton);
    EXPECT_TRUE(t.Data.ZoneList.IsSilenceable(18));
    QTest::mouseClick(t.Page.ClearAllButton(), Qt::LeftButton);
    EXPECT_EQ(t.Data.ZoneList.Zone(40).SetConfig[16], srNotTriggered);
    EXPECT_EQ(t.Data.ZoneList.Zone(1).SetConfig[17], srNotTriggered);
    EXPECT_TRUE(t.Data.ZoneList.IsSilenceable(18));
    EXPECT_EQ(t.Page.ChosenValue(), -1);
    QTest::mouseClick(t.Page.Tool(srContinuous), Qt::LeftButton);
    Click(m, 7, 21);

    t.Page.DelayTimeSpin()->findChild<QLineEdit*>()->clear();
    QTest::keyClicks(t.Page.DelayTimeSpin(), "--");
    QTest::keyClick(t.Page.DelayTimeSpin(), Qt::Key_Return);
    EXPECT_EQ(t.Data.DelayTimer, 65535);

    TData reopened;
    ASSERT_TRUE(SaveAndReopen(t.Data, reopened));
    EXPECT_EQ(reopened.ZoneList.Zone(7).SetConfig[17], srContinuous);
    EXPECT_EQ(reopened.ZoneList.Zone(40).SetConfig[16], srNotTriggered);
    EXPECT_TRUE(reopened.ZoneList.IsSilenceable(18));
    EXPECT_EQ(reopened.DelayTimer, 65535);
}

} // namespace

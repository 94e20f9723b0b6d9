#include "comms/MemorySerialDevice.h"
#include "comms/ZOLPanelComms.h"
#include "editors/zones/CEConfigPage.h"
#include "editors/zones/GroupConfigPage.h"
#include "editors/zones/OutputMatrix.h"
#include "editors/zones/SetConfigPage.h"
#include "editors/zones/TimeSpinButton.h"
#include "editors/zones/ZoneConfigPage.h"
#include "editors/zones/ZonesTestSupport.h"
#include "panel/PanelLink.h"
#include "panel/TransferProgress.h"
#include "panel/TransferSequencer.h"
#include "sim/PanelEmulator.h"

#include <QComboBox>
#include <QEventLoop>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

class TQuietProgress : public TTransferProgress {
public:
    void SetStatus(const QString&) override {}
    void SetPosition(int position) override { pos_ = position; }
    void SetMaximum(int maximum) override { max_ = maximum; }
    int Position() const override { return pos_; }
    int Maximum() const override { return max_; }
    void SetCancelVisible(bool) override {}
    void Show() override {}
    void Hide() override {}
    void Close() override {}

private:
    int pos_ = 0;
    int max_ = 100;
};

// A document joined in memory to an emulated panel; Run starts an operation and waits for it.
struct TPanelLink {
    TZOLPanelComms Comms;
    TQuietProgress Progress;
    TTransferSequencer Sequencer;
    TPanelLink(TData& data, TPrompts& prompts, const std::shared_ptr<TPanelEmulator>& panel)
        : Sequencer(data, Comms, prompts, Progress, TTransferContext{})
    {
        ApplyPanelLinkSettings(Comms);
        Comms.SetTickInterval(5);
        Comms.SetInputTimeOut(100);
        Sequencer.ZoneFlagsTimeOut = 100;
        Sequencer.AfterZoneFlagsTimeOut = 100;
        Comms.Port().SetDevice(std::make_unique<TMemorySerialDevice>(panel));
    }
    std::optional<bool> Run(const std::function<bool()>& start)
    {
        std::optional<bool> result;
        QEventLoop loop;
        auto c = QObject::connect(&Sequencer, &TTransferSequencer::Finished, [&](bool completed) {
            result = completed;
            loop.quit();
        });
        if (start() && !result) {
            QTimer::singleShot(60000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        QObject::disconnect(c);
        return result;
    }
};

void Click(TOutputMatrix* m, int row, int column)
{
    QTest::mouseClick(m, Qt::LeftButton, {}, m->CellRect(row, column).center());
}

void Choose(QComboBox* list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

TEST(ZonePagesToPanel, EditsReachThePanelThroughSaveAll)
{
    TEditorFixture f;
    f.Data.SwitchProtocol(stApolloLoop);
    f.Data.ResetToNew();
    f.Data.PanelNumber = 0;
    f.Data.SiteConfig.InvestigationPeriod = 0;
    f.Data.SiteConfig.InvestigationPeriod1 = 0;
    TfrmZoneConfig zones(f.Context);
    TfrmGroupConfig groups(f.Context);
    TfrmSetConfig sets(f.Context);
    TfrmCEConfig ce(f.Context);
    for (TPage* page : std::initializer_list<TPage*>{&zones, &groups, &sets, &ce})
        page->Refresh();

    QTest::keyClick(zones.SounderSpin(6), Qt::Key_Up);
    QTest::mouseClick(groups.Tool(grPulsed), Qt::LeftButton);
    Click(groups.Matrix(), 2, 8);  // group 7
    QTest::mouseClick(sets.Tool(srDelayed), Qt::LeftButton);
    Click(sets.Matrix(), 4, 2);
    QTest::mouseClick(sets.Tool(srPulsed), Qt::LeftButton);
    Click(sets.Matrix(), 5, 22);
    Choose(ce.Row(3).Action, 9);
    Choose(ce.Row(3).ActionTarget, 17);
    Choose(ce.Row(3).Trigger.Condition, 9);
    Choose(ce.Row(3).Trigger.Truth, 1);
    Choose(ce.Row(3).Reset.Condition, 5);
    Choose(ce.Row(3).Reset.Truth, 0);

    auto panel = std::make_shared<TPanelEmulator>();
    panel->Memory().Protocol = stApolloLoop;
    f.Prompts.Answers = {TPromptAnswer::paYes};
    TPanelLink saver(f.Data, f.Prompts, panel);
    ASSERT_EQ(saver.Run([&] { return saver.Sequencer.SaveAll(); }), true) << f.Prompts.texts().join('|').toStdString();

    TData loaded;
    loaded.PanelNumber = 0;
    TScriptedPrompts prompts;
    TPanelLink loader(loaded, prompts, panel);
    ASSERT_EQ(loader.Run([&] { return loader.Sequencer.LoadAll(); }), true) << prompts.texts().join('|').toStdString();
    EXPECT_EQ(loaded.ZoneList.Zone(6).SounderTimer, 30);
    EXPECT_EQ(loaded.ZoneList.Zone(2).GroupConfig[7], grPulsed);
    EXPECT_EQ(loaded.ZoneList.Zone(4).SetConfig[2], srDelayed);
    EXPECT_EQ(loaded.ZoneList.Zone(5).SetConfig[18], srPulsed);
    EXPECT_EQ(loaded.C_ETable.Events[3], (TC_EArray{90, 17, 178, 0, 158, 0}));
    EXPECT_EQ(panel->Memory().Groups[2][6], grPulsed);
}

} // namespace

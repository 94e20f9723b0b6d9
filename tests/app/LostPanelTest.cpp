// On site: the panel is lost part-way through a Save All (cable knocked out, panel restarted);
// in the same window the next Save All and Load All work, and Cancel still works.

#include "MainFormFixture.h"

#include "comms/MemorySerialDevice.h"
#include "editors/status/Status.h"
#include "panel/TransferOutcome.h"

#include <QLabel>
#include <QTimer>

TEST_F(TMainFormTest, ALostPanelLeavesTheNextTransfersWorking)
{
    Prompts.DefaultAnswer = TPromptAnswer::paYes;
    Form->Data().ZoneList.Zone(4).Name = QStringLiteral("Plant Room");
    QList<TTransferResult> ended;
    QObject::connect(&Form->Sequencer(), &TTransferSequencer::Ended,
                     [&](const TTransferResult& r) { ended.append(r); });

    QString step;
    int frames = 0;
    Panel->OnFrame = [&](bool fromTool, const QByteArray&) {
        if (!fromTool || ++frames != 150)
            return;
        step = Form->StatusWindow().findChild<QLabel*>(QStringLiteral("lblStep"))->text();
        auto* device = dynamic_cast<TMemorySerialDevice*>(Form->Comms().Port().Device());
        QTimer::singleShot(0, [device] {
            if (device)
                device->Unplug();
        });
    };
    EXPECT_FALSE(RunTransfer([&] {
        Action("actSaveAllToPanel")->trigger();
        return true;
    }));
    ASSERT_FALSE(ended.isEmpty());
    EXPECT_EQ(ended.last().Outcome, TTransferOutcome::PortLost);
    EXPECT_TRUE(ended.last().PartlySaved);
    EXPECT_TRUE(step.startsWith("Step ")) << step.toStdString();
    EXPECT_FALSE(Form->Sequencer().Busy());

    // The panel is back: Save All and Load All work without a restart of the program.
    Panel->OnFrame = nullptr;
    Panel->Restart();
    EXPECT_TRUE(RunTransfer([&] {
        Action("actSaveAllToPanel")->trigger();
        return true;
    }));
    EXPECT_EQ(Panel->Memory().ZoneNames[4], "Plant Room");
    Form->Data().ZoneList.Zone(4).Name = QStringLiteral("Changed");
    EXPECT_TRUE(RunTransfer([&] {
        Action("actLoadAllFromPanel")->trigger();
        return true;
    }));
    EXPECT_EQ(Form->Data().ZoneList.Zone(4).Name, "Plant Room");

    // The Status window's Cancel (and Esc) still ends an operation.
    frames = 0;
    Panel->OnFrame = [&](bool fromTool, const QByteArray&) {
        if (fromTool && ++frames == 40)
            QTimer::singleShot(0, [&] {
                QTest::keyClick(&Form->StatusWindow(), Qt::Key_Escape);
            });
    };
    EXPECT_FALSE(RunTransfer([&] {
        Action("actLoadAllFromPanel")->trigger();
        return true;
    }));
    EXPECT_EQ(ended.last().Outcome, TTransferOutcome::Cancelled);
    Panel->OnFrame = nullptr;
}

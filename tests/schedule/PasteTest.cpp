#include "model/Data.h"
#include "schedule/ScheduleImport.h"

#include <gtest/gtest.h>

namespace {

void FillHall(TData& doc)
{
    doc.SwitchProtocol(stHochikiLoop);
    for (int p = 1; p <= 5; ++p)
        doc.Loop2.PlaceDevice(p, 136);
    doc.Loop2.PlaceDevice(6, 72);
    doc.ZoneList.Zone(3).Name = QStringLiteral("Hall");
    doc.RebuildNameTable();
    doc.MarkSaved();
}

} // namespace

TEST(SchedulePaste, ABlockFromASpreadsheetSetsZonesAndDescriptionsDownTheRows)
{
    TData doc;
    FillHall(doc);
    const TSchedulePlan plan = PlanSchedulePaste(
        doc, 2, 2, pcZone, QStringLiteral("3 - Hall\tLobby\r\n4\t\r\n\tStairs\r\nGroup 2\tBell\r\n"));
    ASSERT_FALSE(plan.Refused()) << plan.Errors.first().Text().toStdString();
    EXPECT_EQ(plan.ChangeCount(), 4);
    ApplyScheduleChanges(doc, plan.Changes);
    EXPECT_EQ(doc.Loop2.Devices[2].Zone, 3);
    EXPECT_EQ(doc.Loop2.Devices[2].Name, QStringLiteral("Lobby"));
    EXPECT_EQ(doc.Loop2.Devices[3].Zone, 4);
    EXPECT_EQ(doc.Loop2.Devices[3].Name, NoNameAllocated);
    EXPECT_EQ(doc.Loop2.Devices[4].Zone, 1);
    EXPECT_EQ(doc.Loop2.Devices[4].Name, QStringLiteral("Stairs"));
    EXPECT_EQ(doc.Loop2.Devices[5].Zone, 2) << "a sounder's cell is its group";

    // Copied rows pasted back change nothing.
    const QString copied = ScheduleCopyText(doc, 2, {2, 3, 4, 5});
    EXPECT_EQ(PlanSchedulePaste(doc, 2, 2, pcZone, copied).ChangeCount(), 0);
    const TSchedulePlan names = PlanSchedulePaste(doc, 2, 1, pcDescription, QStringLiteral("A\nB\n"));
    EXPECT_EQ(names.ChangeCount(), 2);
}

TEST(SchedulePaste, RefusedCellsAreNamedByLineAndColumn)
{
    TData doc;
    FillHall(doc);
    const TSchedulePlan plan = PlanSchedulePaste(
        doc, 2, 1, pcZone,
        QStringLiteral("1\tok\n41\tx\n2\tTwenty-five characters xx\nx\ty\tz\n\t\n\t\n1\tnowhere\n"));
    ASSERT_EQ(plan.Errors.size(), 4);
    EXPECT_EQ(plan.Errors[0].Text().left(33), QStringLiteral("Line 2, column 1 (Zone/Group/Set)"));
    EXPECT_EQ(plan.Errors[1].Line, 3);
    EXPECT_EQ(plan.Errors[1].Column, 2);
    EXPECT_EQ(plan.Errors[2].Line, 4);
    EXPECT_EQ(plan.Errors[2].Column, 3);
    EXPECT_EQ(plan.Errors[3].Line, 7) << "address 7 holds no device";
    EXPECT_TRUE(plan.Changes.isEmpty());

    const TSchedulePlan past = PlanSchedulePaste(doc, 2, 254, pcDescription, QStringLiteral("a\nb\n"));
    ASSERT_TRUE(past.Refused());
    EXPECT_EQ(past.Errors[0].Line, 1) << "address 254 holds no device";
}

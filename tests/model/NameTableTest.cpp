#include "model/Data.h"

#include <gtest/gtest.h>

TEST(NameTable, EmptyTableCountsEntryZero)
{
    TNameTable table;
    EXPECT_EQ(table.Count(), 1);
    EXPECT_EQ(table.NoOfChars(), 18);
    EXPECT_EQ(table.NamesUsedText(), "1/256 Names used");
    EXPECT_EQ(table.TotalCharactersText(), "18 Total Characters");
    EXPECT_EQ(table.CharactersLeftText(), "8174 Characters Left");
}

TEST(NameTable, FindNameIgnoresCaseAndTrailingBlanks)
{
    TNameTable table;
    table.Append("Boiler Room  ");
    table.Append("");
    EXPECT_EQ(table.FindName("boiler room"), 1);
    EXPECT_EQ(table.FindName("BOILER ROOM "), 1);
    EXPECT_EQ(table.FindName(" boiler room"), -1) << "leading blanks count";
    EXPECT_EQ(table.FindName(""), -1) << "an empty entry never matches";
    EXPECT_EQ(table.FindName("no NAME allocated"), 0);
}

TEST(NameTable, AddNameRefusesThe257th)
{
    TNameTable table;
    int index = -1;
    QString message;
    EXPECT_TRUE(table.AddName("", index, message));
    EXPECT_EQ(index, 0) << "an empty description is No name allocated";
    EXPECT_EQ(table.Count(), 1);
    for (int i = 1; i < 256; ++i)
        ASSERT_TRUE(table.AddName(QString("Name %1").arg(i), index, message));
    EXPECT_EQ(table.Count(), 256);
    EXPECT_TRUE(table.AddName("name 7", index, message)) << "an existing name is always found";
    EXPECT_EQ(index, 7);
    EXPECT_FALSE(table.AddName("One too many", index, message));
    EXPECT_EQ(message, "There is a maximum of 256 different descriptions allowed");
    EXPECT_EQ(table.Count(), 256);
}

TEST(NameTable, OutOfRangeIndexGivesNoName)
{
    TNameTable table;
    EXPECT_EQ(table.Name(-1), "No name allocated");
    EXPECT_EQ(table.Name(5), "No name allocated");
    table.Empty();
    EXPECT_EQ(table.Name(0), "No name allocated");
}

TEST(NameTable, RebuildSharesNamesAcrossLoops)
{
    TData data;
    data.Loop1.Devices[1].TypeCode = 20;
    data.Loop1.Devices[1].Name = "Stairs";
    data.Loop1.Devices[2].TypeCode = 20;
    data.Loop1.Devices[2].Name = "STAIRS  ";
    data.Loop2.Devices[1].TypeCode = 20;
    data.Loop2.Devices[1].Name = "stairs";
    data.Loop1.Devices[3].TypeCode = 20;
    data.Loop1.Devices[3].Name = "";
    data.RebuildNameTable();

    EXPECT_EQ(data.NameTable.Count(), 2);
    EXPECT_EQ(data.NameTable.Name(1), "Stairs") << "the first name met is kept";
    EXPECT_EQ(data.Loop1.Devices[1].SharedData[2], 1);
    EXPECT_EQ(data.Loop1.Devices[2].SharedData[2], 1);
    EXPECT_EQ(data.Loop2.Devices[1].SharedData[2], 1);
    EXPECT_EQ(data.Loop1.Devices[3].SharedData[2], 0) << "an empty name is No name allocated";
    EXPECT_EQ(data.NameTable.NoOfChars(), 18 + 7);
}

TEST(NameTable, RebuildTakesChannelNamesOfChannelDevicesOnly)
{
    TData data;
    TDeviceType& io = data.Loop1.Devices[4];
    io.TypeCode = 8; // Apollo I/O unit: three channel names
    io.Name = "Plant";
    io.SubName1 = "Fan";
    io.SubName2 = "Damper";
    io.SubName3 = "Plant";
    TDeviceType& det = data.Loop1.Devices[5];
    det.TypeCode = 20;
    det.SubName1 = "Ignored";
    det.SharedData[4] = 77;
    data.RebuildNameTable();

    EXPECT_EQ(data.NameTable.Entries(),
              (QStringList{"No name allocated", "Plant", "Fan", "Damper"}));
    EXPECT_EQ(io.SharedData[2], 1);
    EXPECT_EQ(io.SharedData[4], 2);
    EXPECT_EQ(io.SharedData[6], 3);
    EXPECT_EQ(io.SharedData[8], 1);
    EXPECT_EQ(det.SharedData[4], 77) << "a detector's sensitivity is not a name index";
}

TEST(NameTable, RebuildCountsUnusedSlotsButIndexesOnlyUsedPoints)
{
    TData data;
    data.SwitchProtocol(stHochikiLoop);
    data.Loop1.Devices[200].TypeCode = 136;
    data.Loop1.Devices[200].Name = "Left behind";
    data.SwitchProtocol(stNittanLoop);
    // New only clears points 1..126 of Nittan; slot 200 keeps its name, which still counts.
    EXPECT_EQ(data.NameTable.FindName("Left behind"), 1);
    EXPECT_EQ(data.NameTable.Count(), 2);
}

TEST(NameTable, RebuildDoesNotEnforceTheLimits)
{
    TData data;
    for (int p = 1; p <= 253; ++p) {
        data.Loop1.Devices[p].Name = QString("Loop one point %1 with a long name").arg(p);
        data.Loop2.Devices[p].Name = QString("Loop two point %1 with a long name").arg(p);
    }
    data.RebuildNameTable();
    EXPECT_EQ(data.NameTable.Count(), 1 + 2 * 253);
    EXPECT_GT(data.NameTable.NoOfChars(), TNameTable::MaxChars);
    EXPECT_TRUE(data.NameTable.CharactersLeftText().startsWith("-"));
    EXPECT_EQ(data.Loop2.Devices[253].SharedData[2], 2 * 253);
}

TEST(NameTable, ApplyNameIndexesAfterADownload)
{
    TData data;
    data.NameTable.Empty();
    data.NameTable.Append("No name allocated");
    data.NameTable.Append("Hall");
    data.NameTable.Append("Relay A");
    TDeviceType& det = data.Loop1.Devices[1];
    det.TypeCode = 20;
    det.SharedData[2] = 1;
    det.SharedData[4] = 120; // night sensitivity, not a name
    det.SubName1 = "stale";
    TDeviceType& io = data.Loop2.Devices[2];
    io.TypeCode = 8;
    io.SharedData[2] = 2;
    io.SharedData[4] = 1;
    io.SharedData[6] = 200; // beyond the table
    io.SharedData[8] = 0;
    TDeviceType& stray = data.Loop2.Devices[3];
    stray.TypeCode = 20;
    stray.SharedData[2] = 3; // one past the last entry
    data.ApplyNameIndexes();

    EXPECT_EQ(det.Name, "Hall");
    EXPECT_EQ(det.SubName1, "No name allocated");
    EXPECT_EQ(io.Name, "Relay A");
    EXPECT_EQ(io.SubName1, "Hall");
    EXPECT_EQ(io.SubName2, "No name allocated");
    EXPECT_EQ(io.SubName3, "No name allocated");
    EXPECT_EQ(det.SharedData[4], 120);

    // Indexes beyond the table become index 0, so the name and its index agree.
    EXPECT_EQ(stray.Name, "No name allocated");
    EXPECT_EQ(stray.SharedData[2], 0);
    EXPECT_EQ(io.SharedData[6], 0);
    EXPECT_EQ(io.SharedData[4], 1);
}

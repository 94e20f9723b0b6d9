#include "model/Data.h"
#include "schedule/DeviceSchedule.h"
#include "schedule/ScheduleFiles.h"
#include "schedule/ScheduleImport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void Name(TData& doc, int loop, int point, const QString& name)
{
    doc.Loop(loop).Devices[point].Name = name;
}

// Every kind of row a schedule has on each protocol: detectors in zones, base sounders,
// sounders in groups, outputs in sets, channel names, quotes and separators in names.
void FillSite(TData& doc, TSystemType type)
{
    doc.SwitchProtocol(type);
    TQEMLoop& l1 = doc.Loop1;
    TQEMLoop& l2 = doc.Loop2;
    doc.ZoneList.Zone(3).Name = QStringLiteral("Basement");
    switch (type) {
    case stApolloLoop:
        l1.PlaceDevice(1, 20);
        l1.SetBaseSounder(1, true, 3);
        l1.PlaceDevice(2, 160);
        l1.PlaceDevice(10, 4);
        l1.Devices[10].Zone = 5;
        l1.PlaceDevice(12, 8);
        l1.Devices[12].SubName2 = QStringLiteral("Door release");
        l2.PlaceDevice(126, 31);
        break;
    case stHochikiLoop:
        l1.PlaceDevice(1, 136);
        l1.SetBaseSounder(1, true, 2);
        l1.PlaceDevice(5, 125);
        l1.PlaceDevice(6, 72);
        l2.PlaceDevice(200, 0);
        break;
    case stSysSensorLoop:
        l1.PlaceDevice(1, 3);
        l1.PlaceDevice(100, 5);
        l1.PlaceDevice(150, 8);
        l2.PlaceDevice(99, 1);
        break;
    case stNittanLoop:
        for (int code = 1; code <= 8; ++code)
            l1.PlaceDevice(code, code);
        l2.PlaceDevice(126, 7);
        break;
    }
    l1.Devices[1].Zone = 3;
    Name(doc, 1, 1, QStringLiteral("Hall, \"east\""));
    Name(doc, 1, 2, QStringLiteral("Caf\u00e9 ; kitchen"));
    Name(doc, 2, l2.IsFitted(126) ? 126 : l2.IsFitted(200) ? 200 : 99, QStringLiteral("  Plant  "));
    doc.RebuildNameTable();
    doc.MarkSaved();
}

int FittedCount(const TData& doc)
{
    int n = 0;
    for (int l = 1; l <= 2; ++l)
        for (int p = 1; p <= doc.NoLoopDevices(); ++p)
            n += doc.Loop(l).IsFitted(p) ? 1 : 0;
    return n;
}

QString Csv(const QList<TScheduleCells>& rows, const QStringList& headings = ScheduleHeadings())
{
    QString text = headings.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (const TScheduleCells& row : rows)
        text += QStringList(row.begin(), row.end()).join(QLatin1Char(',')) + QLatin1Char('\n');
    return text;
}

// A Hochiki loop of optical detectors "Room 1".."Room n" in zone 1.
void FillRooms(TData& doc, int count)
{
    doc.SwitchProtocol(stHochikiLoop);
    for (int p = 1; p <= count; ++p) {
        doc.Loop1.PlaceDevice(p, 136);
        Name(doc, 1, p, QStringLiteral("Room %1").arg(p));
    }
    doc.RebuildNameTable();
    doc.MarkSaved();
}

} // namespace

TEST(DeviceSchedule, ExportThenImportChangesNothingOnEveryProtocol)
{
    for (TSystemType type : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        SCOPED_TRACE(SystemTypeName(type).toStdString());
        TData doc;
        FillSite(doc, type);
        for (QChar separator : {QLatin1Char(','), QLatin1Char(';')}) {
            const QByteArray csv = ScheduleCsv(doc, separator);
            ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
            const TSchedulePlan plan = PlanScheduleImport(doc, QString::fromUtf8(csv));
            ASSERT_FALSE(plan.Refused()) << plan.Errors.first().Text().toStdString();
            EXPECT_EQ(plan.ChangeCount(), 0);
            EXPECT_EQ(plan.Count(skUntouched), FittedCount(doc));
            EXPECT_FALSE(ApplyScheduleChanges(doc, plan.Changes));
            EXPECT_FALSE(doc.Modified());
        }
    }
}

TEST(DeviceSchedule, RowsMarkBaseSoundersAndAddressSystemSensorModules)
{
    TData doc;
    FillSite(doc, stApolloLoop);
    const QList<TScheduleCells> rows = ScheduleRows(doc);
    const auto row = [&](int loop, int address) {
        for (const TScheduleCells& r : rows)
            if (r[sdLoop].toInt() == loop && r[sdAddress].toInt() == address)
                return r;
        return TScheduleCells{};
    };
    EXPECT_EQ(row(1, 1)[sdBaseSounder], QStringLiteral("Group 3"));
    EXPECT_EQ(row(1, 1)[sdZone], QStringLiteral("3 - Basement"));
    EXPECT_EQ(row(1, 128)[sdBaseSounder], QStringLiteral("base of 1"));
    EXPECT_EQ(row(1, 128)[sdGroupOrSet], QStringLiteral("Group 3"));
    EXPECT_EQ(row(1, 2)[sdBaseSounder], QStringLiteral("no"));
    EXPECT_EQ(row(1, 10)[sdGroupOrSet], QStringLiteral("Group 5"));
    EXPECT_EQ(row(1, 12)[sdChannel2], QStringLiteral("Door release"));

    TData sensors;
    FillSite(sensors, stSysSensorLoop);
    bool module = false;
    for (const TScheduleCells& r : ScheduleRows(sensors))
        module = module || (r[sdAddress] == QStringLiteral("101") && r[sdType] == QStringLiteral("MCP"));
    EXPECT_TRUE(module);
}

TEST(DeviceSchedule, FortyDescriptionsAndTenZonesAreExactlyFiftyChanges)
{
    TData doc;
    FillRooms(doc, 60);
    QList<TScheduleCells> rows = ScheduleRows(doc);
    for (int i = 0; i < 40; ++i)
        rows[i][sdDescription] = QStringLiteral("Office %1").arg(i + 1);
    for (int i = 40; i < 50; ++i)
        rows[i][sdZone] = QStringLiteral("7");
    const QString csv = Csv(rows);

    const TSchedulePlan plan = PlanScheduleImport(doc, csv);
    ASSERT_FALSE(plan.Refused());
    EXPECT_EQ(plan.Count(skChanged), 50);
    EXPECT_EQ(plan.Count(skAdded) + plan.Count(skRemoved), 0);
    EXPECT_EQ(plan.Count(skUntouched), 10);
    for (const TScheduleChange& c : plan.Changes) {
        if (c.Kind == skChanged) {
            EXPECT_EQ(c.Details.size(), 1) << c.Details.join(QLatin1Char('|')).toStdString();
        }
    }
    EXPECT_FALSE(doc.Modified()) << "planning changes nothing";

    EXPECT_TRUE(ApplyScheduleChanges(doc, plan.Changes));
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Loop1.Devices[40].Name, QStringLiteral("Office 40"));
    EXPECT_EQ(doc.Loop1.Devices[41].Name, QStringLiteral("Room 41"));
    EXPECT_EQ(doc.Loop1.Devices[45].Zone, 7);
    EXPECT_EQ(doc.Loop1.Devices[45].SharedData[1], 7);
    EXPECT_EQ(doc.NameTable.Name(doc.Loop1.Devices[1].SharedData[2]), QStringLiteral("Office 1"));
    EXPECT_EQ(PlanScheduleImport(doc, csv).ChangeCount(), 0);
}

TEST(DeviceSchedule, HeadingsInAnyOrderAddRemoveAndLeaveBlanksAlone)
{
    TData doc;
    FillRooms(doc, 3);
    const QString csv = QStringLiteral(
        "Notes; description ;ADDRESS;loop;TYPE\n"
        "x;Lobby;1;1;\n"          // description only
        ";;2;1;Not Fitted\n"       // removed
        ";;3;1;\n"                 // untouched
        ";Store;70;1;Heat\n");     // added
    const TSchedulePlan plan = PlanScheduleImport(doc, csv);
    ASSERT_FALSE(plan.Refused()) << plan.Errors.first().Text().toStdString();
    EXPECT_EQ(plan.Count(skChanged), 1);
    EXPECT_EQ(plan.Count(skRemoved), 1);
    EXPECT_EQ(plan.Count(skAdded), 1);
    EXPECT_EQ(plan.Count(skUntouched), 1);
    ApplyScheduleChanges(doc, plan.Changes);
    EXPECT_EQ(doc.Loop1.Devices[1].Name, QStringLiteral("Lobby"));
    EXPECT_EQ(doc.Loop1.Devices[1].TypeCode, 136);
    EXPECT_FALSE(doc.Loop1.IsFitted(2));
    EXPECT_EQ(doc.Loop1.Devices[3].Name, QStringLiteral("Room 3"));
    EXPECT_EQ(doc.Loop1.Devices[70].TypeCode, 152);
    EXPECT_EQ(doc.Loop1.Devices[70].Name, QStringLiteral("Store"));

    // The base sounder column fits, moves and takes away a detector's base sounder.
    const TSchedulePlan base = PlanScheduleImport(doc, QStringLiteral("Loop,Address,Base sounder\n1,1,Group 4\n"));
    ASSERT_FALSE(base.Refused());
    ApplyScheduleChanges(doc, base.Changes);
    EXPECT_TRUE(doc.Loop1.BaseSounderFitted(1));
    EXPECT_EQ(doc.Loop1.Devices[128].Zone, 4);
    ApplyScheduleChanges(doc, PlanScheduleImport(doc, QStringLiteral("Loop,Address,Base sounder\n1,1,no\n")).Changes);
    EXPECT_FALSE(doc.Loop1.BaseSounderFitted(1));
}

TEST(DeviceSchedule, EveryRefusedRuleNamesItsLineAndColumnAndChangesNothing)
{
    TData doc;
    FillRooms(doc, 2);
    const QString csv = QStringLiteral(
        "Loop,Address,Type,Type code,Zone,Group or Set,Description\n"
        "1,5,Frobnicator,,,,\n"                         // line 2: type unknown to Hochiki
        "1,6,,99,,,\n"                                  // line 3: code unknown to Hochiki
        "1,300,Optical,,,,\n"                           // line 4: outside the loop
        "1,1,,,40,,\n"                                  // line 5: zone out of range
        "1,2,,,,,Twenty-five characters xx\n"           // line 6: description too long
        "3,1,,,,,\n"                                    // line 7: no such loop
        "1,1,,,,,\n");                                  // line 8: address twice
    const TSchedulePlan plan = PlanScheduleImport(doc, csv);
    ASSERT_TRUE(plan.Refused());
    EXPECT_TRUE(plan.Changes.isEmpty());
    const QList<std::pair<int, int>> expected{{2, 3}, {3, 4}, {4, 2}, {5, 5}, {6, 7}, {7, 1}, {8, 2}};
    ASSERT_EQ(plan.Errors.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(plan.Errors[i].Line, expected[i].first) << plan.Errors[i].Text().toStdString();
        EXPECT_EQ(plan.Errors[i].Column, expected[i].second) << plan.Errors[i].Text().toStdString();
    }
    EXPECT_TRUE(plan.Errors[4].Text().startsWith(QStringLiteral("Line 6, column 7 (Description): ")));

    TData sensors;
    sensors.SwitchProtocol(stSysSensorLoop);
    const TSchedulePlan gap = PlanScheduleImport(
        sensors, QStringLiteral("Loop,Address,Type\n1,100,Temp\n1,5,MCP\n1,101,Opt\n"));
    ASSERT_EQ(gap.Errors.size(), 3);
    EXPECT_EQ(gap.Errors[0].Column, 2);
    EXPECT_TRUE(gap.Errors[0].Message.contains(QStringLiteral("between")));
    EXPECT_EQ(gap.Errors[1].Message, ModuleInSensorSection);
    EXPECT_EQ(gap.Errors[2].Message, SensorInModuleSection);

    // Apollo addresses above the grid hold base sounders only.
    TData apollo;
    EXPECT_TRUE(PlanScheduleImport(apollo, QStringLiteral("Loop,Address,Type code\n1,130,20\n")).Refused());
    // A detector on a sounder-group command address says what accepting it means.
    const TSchedulePlan group = PlanScheduleImport(apollo, QStringLiteral("Loop,Address,Type code\n1,115,20\n"));
    ASSERT_EQ(group.Count(skAdded), 1);
    EXPECT_TRUE(group.Changes[0].Details.last().startsWith(QStringLiteral("Group commands will be disabled")));
    EXPECT_FALSE(doc.Modified());
}

TEST(DeviceSchedule, TheTwoHundredAndFiftySeventhNameIsRefusedOnItsLine)
{
    TData doc;
    doc.SwitchProtocol(stHochikiLoop);
    QString csv = QStringLiteral("Loop,Address,Type,Description\n");
    int line = 1;
    int refusedLine = 0;
    for (int l = 1; l <= 2; ++l)
        for (int p = 1; p <= 10 + (l == 1 ? 244 : 0); ++p) {
            ++line;
            const int name = line - 1;
            if (name == TNameTable::MaxNames)
                refusedLine = line;
            csv += QStringLiteral("%1,%2,Optical,Name %3\n").arg(l).arg(p).arg(name);
        }
    const TSchedulePlan plan = PlanScheduleImport(doc, csv);
    ASSERT_EQ(plan.Errors.size(), 1);
    EXPECT_EQ(plan.Errors[0].Line, refusedLine);
    EXPECT_EQ(plan.Errors[0].Column, 4);
    EXPECT_EQ(plan.Errors[0].Message, TooManyNamesMessage);
}

TEST(DeviceSchedule, FilesAreWrittenWholeOrNotAtAll)
{
    TData doc;
    FillSite(doc, stHochikiLoop);
    QTemporaryDir dir;
    QString error;
    const QString xlsx = dir.filePath(QStringLiteral("schedule.xlsx"));
    ASSERT_TRUE(WriteSchedule(doc, xlsx, QLatin1Char(','), &error)) << error.toStdString();
    QFile book(xlsx);
    ASSERT_TRUE(book.open(QIODevice::ReadOnly));
    EXPECT_TRUE(book.read(2) == "PK");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    const QString missing = dir.filePath(QStringLiteral("no/such/folder/schedule.xlsx"));
    EXPECT_FALSE(WriteSchedule(doc, missing, QLatin1Char(','), &error));
    EXPECT_TRUE(error.contains(missing));
    EXPECT_FALSE(WriteSchedule(doc, dir.filePath(QStringLiteral("no/such.csv")), QLatin1Char(','), &error));

    const TSchedulePlan unclosed = PlanScheduleImport(doc, QStringLiteral("Loop,Address\n1,\"2\n"));
    ASSERT_TRUE(unclosed.Refused());
    EXPECT_TRUE(unclosed.Errors[0].Text().contains(QStringLiteral("Line 2")));
}

// Descriptions a spreadsheet would run as formulas are exported inert (CSV: a leading
// apostrophe; XLSX: string cells) and come back exactly as they were.
TEST(DeviceSchedule, FormulaLikeDescriptionsAreInertAndRoundTripOnEveryProtocol)
{
    const QStringList formulas = {QStringLiteral("=HYPERLINK(\"h\",\"Fire\")"), QStringLiteral("+44 kitchen"),
                                  QStringLiteral("-basement"), QStringLiteral("@store"),
                                  QStringLiteral("'quoted")};
    for (TSystemType type : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        SCOPED_TRACE(SystemTypeName(type).toStdString());
        TData doc;
        FillSite(doc, type);
        qsizetype next = 0;
        for (int p = 1; p <= doc.NoLoopDevices() && next < formulas.size(); ++p)
            if (doc.Loop1.IsFitted(p))
                Name(doc, 1, p, formulas.at(next++));
        doc.RebuildNameTable();
        const QString csv = QString::fromUtf8(ScheduleCsv(doc, QLatin1Char(',')));
        for (const QString& f : formulas.mid(0, next))
            EXPECT_TRUE(csv.contains(",'" + f) || csv.contains(",\"'" + f.left(3))) << f.toStdString();
        const TSchedulePlan plan = PlanScheduleImport(doc, csv);
        ASSERT_FALSE(plan.Refused()) << plan.Errors.first().Text().toStdString();
        EXPECT_EQ(plan.ChangeCount(), 0);
    }
}

// Text the panel cannot hold is refused by line and column; a Windows code-page file is read
// as such; UTF-16 and repeated headings are named; the file's size is checked first.
TEST(DeviceSchedule, ImportRefusesWhatItCannotReadFaithfully)
{
    TData doc;
    FillRooms(doc, 3);
    QString text;
    QString error;
    ASSERT_TRUE(DecodeScheduleText("Loop,Address,Description\n1,2,Caf\xE9\n", text, &error, "s.csv"));
    TSchedulePlan plan = PlanScheduleImport(doc, text);
    ASSERT_FALSE(plan.Refused());
    ASSERT_EQ(plan.ChangeCount(), 1);
    EXPECT_EQ(plan.Changes.first().Edit.Name, QStringLiteral("Caf\u00e9"));

    for (const QString& bad : {QStringLiteral("Office\u20ac"), QStringLiteral("Bell\u0007"),
                               QString(QStringLiteral("A")) + QChar(0)}) {
        plan = PlanScheduleImport(doc, "Loop,Address,Description\n1,2," + bad + "\n");
        ASSERT_TRUE(plan.Refused());
        EXPECT_TRUE(plan.Errors.first().Text().startsWith("Line 2, column 3")) << plan.Errors.first().Text().toStdString();
    }
    plan = PlanScheduleImport(doc, "Loop,Address,Description,Description\n1,2,A,B\n");
    ASSERT_TRUE(plan.Refused());
    EXPECT_TRUE(plan.Errors.first().Text().contains("column 3")) << plan.Errors.first().Text().toStdString();

    EXPECT_FALSE(DecodeScheduleText(QByteArray("\xFF\xFEL\0o\0", 6), text, &error, "s.csv"));
    EXPECT_TRUE(error.contains("UTF-16")) << error.toStdString();

    QTemporaryDir dir;
    QFile big(dir.filePath("big.csv"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(MaxScheduleFileBytes + 1));
    big.close();
    EXPECT_FALSE(ReadScheduleText(big.fileName(), text, &error));
    EXPECT_TRUE(error.contains("MB")) << error.toStdString();
}

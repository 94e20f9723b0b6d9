#include "PrintTestSupport.h"

#include "model/Data.h"

#include <QPrinter>

#include <gtest/gtest.h>

namespace {

const TFontStyles TitleStyle = fsBold | fsItalic | fsUnderline;

class LoopSectionTest : public testing::Test {
protected:
    TReports& Run(TLoopOrder order = loDeviceNumber, bool onlyFitted = false)
    {
        reports = MakeReports(data);
        reports->Order = order;
        reports->OnlyFitted = onlyFitted;
        reports->PrintLoopSections();
        reports->Engine().EndDoc();
        return *reports;
    }
    const TRecordedPage& Page(int i) { return reports->Engine().Page(i); }
    int Left() const { return reports->OX() + 60; }
    double H() const { return Measure(QStringLiteral("Loop 1 Configuration"), 14, TitleStyle).H; }
    double TableTop() const { return reports->OY() + 3 * H() + 50; }
    int RowLimit() const { return reports->PH() - 450; }

    std::vector<QString> DevColumn(int page)
    {
        std::vector<QString> numbers;
        for (const TPageText& t : TextsInColumn(Page(page), Left()))
            numbers.push_back(t.Text);
        return numbers;
    }
    int NameIndex(const QString& name) { return data.NameTable.Append(name); }

    TData data;
    std::unique_ptr<TReports> reports;
};

TEST_F(LoopSectionTest, TitleHeadingsAndColumnStops)
{
    Run();
    const TRecordedPage& page = Page(0);
    const QString title = QStringLiteral("Loop 1 Configuration");
    const TPageText* t = FindText(page, title);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->TopLeft,
              QPoint((reports->PW() - Measure(title, 14, TitleStyle).W) / 2, reports->OY()));
    EXPECT_TRUE(t->Font.bold() && t->Font.italic() && t->Font.underline());
    EXPECT_EQ(t->Font.pixelSize(), 117);

    // Headings centred in cells of 110 units from OX + 60, in the title font.
    const int headingY = qRound(reports->OY() + 2 * H());
    const struct {
        const char* Text;
        int Left;
        int Cells;
    } headings[] = {{"Dev", 0, 3}, {"Sub", 330, 3}, {"Type", 660, 16},
                    {"Zone/Group", 2420, 10}, {"Place Name", 3520, 10}};
    for (const auto& h : headings) {
        const int w = Measure(QString::fromLatin1(h.Text), 14, TitleStyle).W;
        const TPageText* heading = FindText(page, QString::fromLatin1(h.Text));
        ASSERT_TRUE(heading) << h.Text;
        EXPECT_EQ(heading->TopLeft, QPoint(Left() + h.Left + (110 * h.Cells - w) / 2, headingY))
            << h.Text;
    }

    // Rows in 10 pt, a title height apart; rules from the second row on.
    const TPageText* first = FindText(page, QStringLiteral("1"));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->TopLeft, QPoint(Left(), qRound(TableTop())));
    EXPECT_EQ(first->Font.pixelSize(), 83);
    EXPECT_FALSE(first->Font.bold());
    EXPECT_FALSE(HasLine(page, Left(), TableTop() - H() / 6, Left() + 4620, TableTop() - H() / 6));
    const double second = TableTop() + H();
    EXPECT_EQ(TextsAt(page, Left(), second), std::vector<QString>{QStringLiteral("2")});
    EXPECT_TRUE(HasLine(page, Left(), second - H() / 6, Left() + 4620, second - H() / 6));

    // The page closes with the box and a rule at every stop down to the end of the rows.
    const int rows = static_cast<int>(DevColumn(0).size());
    const double bottom = TableTop() + rows * H();
    for (int stop : {0, 330, 660, 2420, 3520, 4620})
        EXPECT_TRUE(HasLine(page, Left() + stop, TableTop(), Left() + stop, bottom)) << stop;
    EXPECT_TRUE(HasLine(page, Left(), bottom, Left() + 4620, bottom));
}

TEST_F(LoopSectionTest, PagesBreakAtTheRowLimitAndFootersCountOn)
{
    Run();
    // Apollo: 126 points a loop, none fits on one page.
    ASSERT_GT(reports->Engine().PageCount(), 2);
    int expected = 1;
    for (int i = 0; i < reports->Engine().PageCount(); ++i) {
        const std::vector<QString> dev = DevColumn(i);
        ASSERT_FALSE(dev.empty());
        if (dev.front() == QStringLiteral("1"))
            expected = 1;
        EXPECT_EQ(dev.front().toInt(), expected) << "page " << i;
        expected = dev.back().toInt() + 1;
        const double lastY = TableTop() + (static_cast<int>(dev.size()) - 1) * H();
        EXPECT_LT(lastY, RowLimit());
        if (expected <= 126) {
            EXPECT_GE(lastY + H(), RowLimit()) << "page " << i << " ended early";
        }
        EXPECT_TRUE(FindText(Page(i), QStringLiteral("Page ") + QString::number(i + 1)));
    }
    EXPECT_EQ(reports->PageNumber(), reports->Engine().PageCount());
}

// A sheet whose row limit lies above the table gives each printed point a page of its own;
// points that a pass does not print never open one.
TEST_F(LoopSectionTest, SheetTooShortForARowStillEnds)
{
    data.Loop1.PlaceDevice(1, 20);
    data.Loop1.PlaceDevice(2, 20);
    data.Loop1.PlaceDevice(3, 20);
    reports = std::make_unique<TReports>(
        data, MakePdfPrinter(QPageSize(QSizeF(8.27, 1.5), QPageSize::Inch)));
    ASSERT_LT(RowLimit(), TableTop());
    reports->Order = loDeviceType;
    reports->PrintLoopSections();
    reports->Engine().EndDoc();

    // Loop 2 has nothing to print in type order: no page.
    ASSERT_EQ(reports->Engine().PageCount(), 4);
    EXPECT_EQ(DevColumn(0), std::vector<QString>{QStringLiteral("1")});
    EXPECT_EQ(DevColumn(1), std::vector<QString>{QStringLiteral("2")});
    EXPECT_EQ(DevColumn(2), std::vector<QString>{QStringLiteral("3")});
    EXPECT_TRUE(DevColumn(3).empty());
}

TEST_F(LoopSectionTest, PointWithChannelsTakesFiveRowsAndLooksAhead)
{
    data.SwitchProtocol(stHochikiLoop);
    for (int p = 1; p <= 60; ++p)
        data.Loop1.PlaceDevice(p, 136);
    Run();
    const std::vector<QString> firstPage = DevColumn(0);
    const int k = firstPage.back().toInt(); // the last point that fits on page 1

    // A point with channels in that last place needs four rows more: it opens the next page.
    data.ZoneList.Zone(3).Name = QStringLiteral("Kitchen");
    data.ZoneList.Zone(5).Name = QStringLiteral("Stairs");
    data.Loop1.PlaceDevice(k, 125);
    TDeviceType& d = data.Loop1.Devices[k];
    d.Zone = 1;
    d.SharedData = {3, NameIndex(QStringLiteral("Hob")), 128 + 2, NameIndex(QStringLiteral("Fan")),
                    63, NameIndex(QStringLiteral("Spare")), 5, 0};
    Run();
    EXPECT_EQ(DevColumn(0).back().toInt(), k - 1);
    const TRecordedPage& page = Page(1);
    const double top = TableTop();
    const double h = H();
    EXPECT_EQ(TextsAt(page, Left(), top), std::vector<QString>{QString::number(k)});
    const QString rows[4][3] = {{"I/O Module", "Zone 3- Kitchen", "Hob"},
                                {"", "Set 2", "Fan"},
                                {"", "Not Used", ""},
                                {"", "Zone 5- Stairs", "No name allocated"}};
    for (int c = 0; c < 4; ++c) {
        const double y = top + c * h;
        EXPECT_EQ(TextsAt(page, Left() + 330, y), std::vector<QString>{QString::number(c)});
        for (int col = 0; col < 3; ++col) {
            const int x = Left() + std::array{660, 2420, 3520}[col];
            const std::vector<QString> expected =
                rows[c][col].isEmpty() ? std::vector<QString>{} : std::vector{rows[c][col]};
            EXPECT_EQ(TextsAt(page, x, y), expected) << "channel " << c << " column " << col;
        }
        // Every channel row is ruled, the first row of the table too.
        EXPECT_TRUE(HasLine(page, Left(), y - h / 6, Left() + 4620, y - h / 6)) << c;
    }
    // One empty ruled row, then the next point.
    EXPECT_TRUE(HasLine(page, Left(), top + 4 * h - h / 6, Left() + 4620, top + 4 * h - h / 6));
    EXPECT_TRUE(TextsAt(page, Left(), top + 4 * h).empty());
    EXPECT_EQ(TextsAt(page, Left(), top + 5 * h), std::vector<QString>{QString::number(k + 1)});
}

TEST_F(LoopSectionTest, ChannelZonesOfAPointWithoutAZone)
{
    data.SwitchProtocol(stHochikiLoop);
    data.ZoneList.Zone(4).Name = QStringLiteral("Plant");
    data.Loop1.PlaceDevice(1, 125);
    data.Loop1.Devices[1].Zone = 0;
    data.Loop1.Devices[1].SharedData[1] = 4;
    Run();
    EXPECT_EQ(TextsAt(Page(0), Left() + 2420, TableTop()), std::vector<QString>{"Plant"});
}

TEST_F(LoopSectionTest, TypeAndZoneTextsOfPlainPoints)
{
    data.ZoneList.Zone(5).Name = QStringLiteral("Stairs");
    data.ZoneList.Zone(0).Name = QStringLiteral("Special");
    data.Loop1.PlaceDevice(1, 4);
    data.Loop1.Devices[1].Zone = 3;
    data.Loop1.PlaceDevice(2, 65); // an I/O point without channels
    data.Loop1.Devices[2].Zone = 18 + 32;
    data.Loop1.PlaceDevice(3, 20);
    data.Loop1.Devices[3].Zone = 5;
    data.Loop1.SetBaseSounder(3, true, 7);
    data.Loop1.PlaceDevice(4, 20);
    data.Loop1.Devices[4].Zone = 0;
    data.Loop1.Devices[4].SharedData[2] = NameIndex(QStringLiteral("Lift lobby"));
    Run();
    const TRecordedPage& page = Page(0);
    auto row = [&](int r, int column) {
        return TextsAt(page, Left() + column, TableTop() + (r - 1) * H());
    };
    EXPECT_EQ(row(1, 2420), std::vector<QString>{"Group 3"});
    EXPECT_EQ(row(2, 2420), std::vector<QString>{"Set 18"});
    EXPECT_EQ(row(3, 660), std::vector<QString>{"XP95/S90 Opt + Base Sounder (Group 7)"});
    EXPECT_EQ(row(3, 2420), std::vector<QString>{"Zone 5- Stairs"});
    EXPECT_EQ(row(4, 2420), std::vector<QString>{"Special"});
    EXPECT_EQ(row(4, 3520), std::vector<QString>{"Lift lobby"});
    EXPECT_EQ(row(5, 660), std::vector<QString>{"Not Fitted"});
}

TEST_F(LoopSectionTest, TheThreeOrders)
{
    const int placed[][3] = {{1, 20, 3}, {2, 12, 1}, {3, 20, 2}, {5, 12, 0}, {6, 24, 33}};
    for (const auto& p : placed) {
        data.Loop1.PlaceDevice(p[0], p[1]);
        data.Loop1.Devices[p[0]].Zone = p[2];
    }
    auto order = [&](TLoopOrder o, bool onlyFitted) {
        Run(o, onlyFitted);
        std::vector<int> points;
        for (const QString& s : DevColumn(0))
            points.push_back(s.toInt());
        return points;
    };
    EXPECT_EQ(order(loDeviceNumber, true), (std::vector{1, 2, 3, 5, 6}));
    // Unfitted points never print in type order, whatever the loop option.
    EXPECT_EQ(order(loDeviceType, false), (std::vector{2, 5, 1, 3, 6}));
    // Zones outside 1..32 never print in zone order.
    EXPECT_EQ(order(loZoneNumber, true), (std::vector{2, 3, 1}));
    // Loop 2 has nothing fitted: with only fitted devices, or in an order that prints only
    // fitted ones, it gets no page; with every device it lists its empty addresses.
    EXPECT_EQ(reports->Engine().PageCount(), 1);
    Run(loDeviceType, false);
    EXPECT_EQ(reports->Engine().PageCount(), 1);
    Run(loDeviceNumber, false);
    EXPECT_GT(reports->Engine().PageCount(), 2);
}

} // namespace

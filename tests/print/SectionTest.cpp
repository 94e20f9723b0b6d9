#include "PrintTestSupport.h"

#include "model/Data.h"

#include <QPrinter>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const TFontStyles TitleStyle = fsBold | fsItalic | fsUnderline;

class SectionTest : public testing::Test {
protected:
    TReports& Run(void (TReports::*section)())
    {
        reports = MakeReports(data);
        (reports.get()->*section)();
        reports->Engine().EndDoc();
        return *reports;
    }
    const TRecordedPage& Page() { return reports->Engine().Page(0); }
    int Left() const { return reports->OX() + 60; }
    double H(const QString& title) const { return Measure(title, 14, TitleStyle).H; }
    // Where row r (from 1) of a table starts, when its box starts headingRows rows below
    // the title.
    double RowY(const QString& title, int headingRows, int r) const
    {
        return reports->OY() + (2 + headingRows + r - 1) * H(title);
    }
    std::vector<QString> Cell(int x, double y) { return TextsAt(Page(), x, y); }
    // Where a mark stands centred in the cell at offset from the table's left, width wide.
    int Mid(int offset, int width, const char* mark) const
    {
        return Left() + offset + (width - Measure(QString::fromLatin1(mark), 10).W) / 2;
    }
    // A horizontal bar between left and right in the row that starts at y, thick enough to
    // read on paper, away from the row's rules.
    void ExpectPulsedBar(int left, int right, double y, double h)
    {
        for (const TPageLine& l : Page().Lines()) {
            if (l.From.y() != l.To.y() || l.From.y() <= y || l.From.y() >= y + h * 5 / 6
                || qMin(l.From.x(), l.To.x()) <= left || qMax(l.From.x(), l.To.x()) >= right)
                continue;
            EXPECT_GE(l.Pen.width(), h / 8);
            EXPECT_GE(qAbs(l.To.x() - l.From.x()), (right - left) / 3);
            return;
        }
        ADD_FAILURE() << "no bar between " << left << " and " << right << " at " << y;
    }

    TData data;
    std::unique_ptr<TReports> reports;
};

TEST_F(SectionTest, FooterBandTextsAndDividers)
{
    data.SiteConfig.EngineerNo = QStringLiteral("E-42");
    Run(&TReports::PrintZoneSection);
    const int pw = reports->PW();
    const int ph = reports->PH();
    const TFontMeasure f = Measure(QStringLiteral("F"), 10);
    const double top = ph - 150 - 2 * f.H;
    const int bottom = ph - 150;
    const auto fs = [](int n) { return Measure(QString(n, QLatin1Char('F')), 10).W; };
    EXPECT_TRUE(HasLine(Page(), 150, top, pw - 150, top));
    EXPECT_TRUE(HasLine(Page(), pw - 150, top, pw - 150, bottom));
    EXPECT_TRUE(HasLine(Page(), 150, bottom, 150, top));
    for (int x : {pw - 150 - fs(16), pw - 150 - fs(35), 150 + fs(40)})
        EXPECT_TRUE(HasLine(Page(), x, top, x, bottom)) << x;

    const double y = top + f.H / 2;
    const QString page = QStringLiteral("Page 1");
    EXPECT_EQ(Cell(150 + f.W, y), std::vector<QString>{"Service Number : E-42"});
    EXPECT_EQ(Cell((pw - Measure(page, 10).W) / 2, y), std::vector{page});
    EXPECT_EQ(Cell(pw - 150 - fs(32), y), std::vector<QString>{"14:07:09"});
    EXPECT_EQ(Cell(pw - 150 - fs(13), y), std::vector<QString>{"05/03/2024"});
    EXPECT_EQ(FindText(Page(), page)->Font.pixelSize(), 83);
}

TEST_F(SectionTest, ZoneDelaysFlagsAndLabels)
{
    TZone& z = data.ZoneList.Zone(1);
    z.Name = QStringLiteral("Ground floor");
    z.SounderTimer = -1;
    z.Relay1Timer = 90;
    z.Relay2Timer = 65;
    z.RemoteTimer = 0;
    z.SounderEnable = true;
    z.MCPEnable = false;
    z.EndDelays = true;
    Run(&TReports::PrintZoneSection);
    const QString title = QStringLiteral("Zone Configuration");
    const double y1 = RowY(title, 2, 1);
    const QString row1[] = {"Zone 1", "Ground floor", "-.-", "1:30", "1:5", "0:0", "Y", "N", "Y"};
    const int stops[] = {0, 440, 1540, 1980, 2420, 2860, 3300, 3740, 4180};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(Cell(Left() + stops[c], y1), std::vector{row1[c]}) << c;
    EXPECT_EQ(Cell(Left(), RowY(title, 2, 33)), std::vector<QString>{"Panel 1"});
    EXPECT_EQ(Cell(Left(), RowY(title, 2, 40)), std::vector<QString>{"Panel 8"});

    // "Delays" stands over the three relay and output columns of the second heading row.
    const int w = Measure(QStringLiteral("Delays"), 10).W;
    EXPECT_EQ(FindText(Page(), QStringLiteral("Delays"))->TopLeft,
              QPoint(Left() + 1980 + (1320 - w) / 2, qRound(reports->OY() + 2 * H(title))));
    // The box covers the forty rows below the headings.
    const double h = H(title);
    EXPECT_TRUE(HasLine(Page(), Left(), y1, Left() + 4620, y1));
    EXPECT_TRUE(HasLine(Page(), Left() + 4620, y1, Left() + 4620, y1 + 40 * h));
}

TEST_F(SectionTest, GroupAndOutputSetCells)
{
    TZone& z = data.ZoneList.Zone(2);
    z.GroupConfig.Fill(0);
    z.GroupConfig[1] = 1;
    z.GroupConfig[2] = 2;
    z.GroupConfig[3] = 7;
    Run(&TReports::PrintGroupSection);
    const QString groups = QStringLiteral("Group Configuration");
    const double y2 = RowY(groups, 1, 2);
    // Pulsed is a bold bar in the middle of its cell, never text on the cell's rule.
    EXPECT_TRUE(Cell(Left() + 330, y2).empty());
    ExpectPulsedBar(Left() + 330, Left() + 550, y2, H(groups));
    // The other marks stand in the middle of their cells, clear of the rules.
    EXPECT_EQ(Cell(Mid(550, 220, "O"), y2), std::vector<QString>{"O"});
    EXPECT_EQ(Cell(Mid(770, 220, "?"), y2), std::vector<QString>{"?"});
    EXPECT_EQ(Cell(Mid(990, 220, " "), y2), std::vector<QString>{" "});
    const int key = Left() + 3850;
    EXPECT_EQ(Cell(key + 2 * Measure(QStringLiteral("O"), 10).W, RowY(groups, 1, 1)),
              std::vector<QString>{" = Pulsed"});
    ExpectPulsedBar(key, key + 2 * Measure(QStringLiteral("O"), 10).W, RowY(groups, 1, 1),
                    H(groups));
    const int inset = Measure(QStringLiteral("O"), 10).W / 2;
    EXPECT_EQ(Cell(key + inset, y2), std::vector<QString>{"O = Continuous"});

    z.SetConfig.Fill(0);
    z.SetConfig[1] = 3;
    z.SetConfig[2] = 1;
    z.SetConfig[18] = 2;
    data.ZoneList.SetSilenceable(3, true);
    Run(&TReports::PrintOutputSetSection);
    const QString sets = QStringLiteral("Output Set Configuration");
    ExpectPulsedBar(Left() + 440, Left() + 550, RowY(sets, 1, 2), H(sets));
    EXPECT_EQ(Cell(Mid(330, 110, "#"), RowY(sets, 1, 2)), std::vector<QString>{"#"});
    EXPECT_EQ(Cell(Mid(330 + 16 * 110 + 330, 330, "O"), RowY(sets, 1, 2)),
              std::vector<QString>{"O"});
    EXPECT_EQ(Cell(Left() + 330 + 16 * 110 + 660 + inset, RowY(sets, 1, 3)),
              std::vector<QString>{"# = Delayed"});
    // Row 41 is empty; row 42 marks the silenceable sets.
    EXPECT_TRUE(Cell(Left(), RowY(sets, 1, 41)).empty());
    EXPECT_TRUE(Cell(Left() + 550, RowY(sets, 1, 41)).empty());
    EXPECT_EQ(Cell(Left(), RowY(sets, 1, 42)), std::vector<QString>{"Silence"});
    EXPECT_EQ(Cell(Mid(550, 110, "Y"), RowY(sets, 1, 42)), std::vector<QString>{"Y"});
    EXPECT_TRUE(Cell(Left() + 440, RowY(sets, 1, 42)).empty());
}

TEST_F(SectionTest, SiteBoxesValuesAndSecondsLines)
{
    TSiteConfig& s = data.SiteConfig;
    s.ClientName = QStringLiteral("Acme Mills");
    s.PhasedDelay = 65535;
    s.InvestigationPeriod = 30;
    s.MaintenanceDate = QDate(2025, 1, 9);
    Run(&TReports::PrintSiteSection);
    const int g = (reports->PH() - 450 - 6 * reports->OY()) / 3;
    const TReportBox client = reports->ClientBox();
    EXPECT_EQ(client.Left, Left());
    EXPECT_EQ(client.Right, reports->PW() - reports->OX() - 60);
    EXPECT_EQ(client.Top, reports->OY() + 60);
    EXPECT_EQ(client.Bottom, client.Top + g - 200);
    EXPECT_EQ(reports->InstallerBox().Top, client.Bottom + 60 + reports->OY());
    EXPECT_EQ(reports->PanelBox().Bottom, reports->PanelBox().Top + g + 550);
    EXPECT_TRUE(HasLine(Page(), client.Left, client.Top, client.Right, client.Top));

    // The site page draws its footer first.
    EXPECT_TRUE(std::holds_alternative<TPageLine>(Page().Items().front()));
    EXPECT_TRUE(FindText(Page(), QStringLiteral("Page 1")));

    const TFontMeasure t = Measure(QStringLiteral("T"), reports->SitePoints());
    const int x = Left() + 2 * t.W;
    const double y = client.Top + 2 * t.H;
    const TPageText* label = FindText(Page(), QStringLiteral("Clients Name"));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->TopLeft, QPoint(x, qRound(y)));
    EXPECT_TRUE(label->Font.bold());
    EXPECT_EQ(Cell(2200, y), std::vector<QString>{":Acme Mills"});
    EXPECT_FALSE(FindText(Page(), QStringLiteral(":Acme Mills"))->Font.bold());
    const double advance = Measure(QStringLiteral("W"), reports->SitePoints(), fsBold).H;
    EXPECT_EQ(Cell(2200, y + 2 * advance), std::vector<QString>{" "}); // unlabelled line

    EXPECT_TRUE(FindText(Page(), QStringLiteral(":Infinity")));
    EXPECT_TRUE(FindText(Page(), QStringLiteral(":30  Seconds")));
    EXPECT_TRUE(FindText(Page(), QStringLiteral(":09/01/2025")));

    // Each value under the name the Zone Config page gives it, in the same line order.
    s.InvestigationPeriod1 = 45;
    Run(&TReports::PrintSiteSection);
    const TPageText* input = FindText(Page(), QStringLiteral("Input Delay"));
    const TPageText* investigation = FindText(Page(), QStringLiteral("Investigation Period"));
    ASSERT_TRUE(input && investigation);
    EXPECT_LT(input->TopLeft.y(), investigation->TopLeft.y());
    EXPECT_EQ(Cell(2200, input->TopLeft.y()), std::vector<QString>{":45  Seconds"});
    EXPECT_EQ(Cell(2200, investigation->TopLeft.y()), std::vector<QString>{":30  Seconds"});
}

// Every line of the site page stays inside its box, on A4 and on US letter alike.
TEST_F(SectionTest, SiteLinesStayInsideTheirBoxes)
{
    data.SiteConfig.MainVersion = QStringLiteral("Not Available"); // every optional line
    for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
        SCOPED_TRACE(QPageSize::name(paper).toStdString());
        reports = std::make_unique<TReports>(data, MakePdfPrinter(QPageSize(paper)));
        reports->PrintSiteSection();
        reports->Engine().EndDoc();
        EXPECT_GE(reports->SitePoints(), 10);
        const TReportBox boxes[] = {reports->ClientBox(), reports->InstallerBox(),
                                    reports->PanelBox()};
        for (const TPageText& t : Page().Texts()) {
            if (t.Text.trimmed().isEmpty() || t.TopLeft.y() >= boxes[2].Bottom)
                continue; // blank lines and the footer
            const auto inside = [&](const TReportBox& b) {
                return t.TopLeft.y() >= b.Top && t.TopLeft.y() + t.Ascent <= b.Bottom;
            };
            EXPECT_TRUE(std::any_of(std::begin(boxes), std::end(boxes), inside))
                << t.Text.toStdString() << " at " << t.TopLeft.y();
        }
        const TPageText* version = FindText(Page(), QStringLiteral("Software Version"));
        ASSERT_TRUE(version);
        EXPECT_LE(version->TopLeft.y() + version->Height, boxes[0].Bottom);
    }
}

TEST_F(SectionTest, SiteLinesFollowThePanelVersion)
{
    auto labels = [&](const QString& version) {
        data.SiteConfig.MainVersion = version;
        Run(&TReports::PrintSiteSection);
        QStringList shown;
        for (const char* l : {"Auto BST correction", "Real Time Event Output", "Polling LED",
                              "MCP Confirmation Delay", "Detector Confirmation Delay"})
            if (FindText(Page(), QString::fromLatin1(l)))
                shown << QString::fromLatin1(l).section(QLatin1Char(' '), 0, 0);
        return shown.join(QLatin1Char(','));
    };
    EXPECT_EQ(labels(QStringLiteral("09A00")), QStringLiteral("Polling,MCP,Detector"));
    EXPECT_EQ(labels(QStringLiteral("09A01")), QStringLiteral("Auto,Polling,MCP,Detector"));
    EXPECT_EQ(labels(QString()), QStringLiteral("Auto,Polling,MCP,Detector")); // 09A06
    EXPECT_EQ(labels(QStringLiteral("Not Available")),
              QStringLiteral("Auto,Real,Polling,MCP,Detector"));
    EXPECT_EQ(labels(QStringLiteral("08A43")), QStringLiteral("Polling"));

    // The delays follow the Polling LED line, which itself does not advance.
    data.SiteConfig.MainVersion = QStringLiteral("09A07");
    data.SiteConfig.Discovery_Polling_LED = true;
    Run(&TReports::PrintSiteSection);
    const TPageText* led = FindText(Page(), QStringLiteral("Polling LED"));
    const TPageText* mcp = FindText(Page(), QStringLiteral("MCP Confirmation Delay"));
    const double advance = Measure(QStringLiteral("W"), reports->SitePoints(), fsBold).H;
    EXPECT_NEAR(mcp->TopLeft.y(), led->TopLeft.y() + advance, 1);
    // Switch labels are indented by two bold "T"; the other labels by two regular ones.
    const int points = reports->SitePoints();
    EXPECT_EQ(led->TopLeft.x(), Left() + 2 * Measure(QStringLiteral("T"), points, fsBold).W);
    EXPECT_EQ(mcp->TopLeft.x(), Left() + 2 * Measure(QStringLiteral("T"), points).W);
    EXPECT_EQ(Cell(2200, led->TopLeft.y()), std::vector<QString>{":ENABLED"});
}

TEST_F(SectionTest, CauseAndEffectRowsAsThePageShowsThem)
{
    data.C_ETable.Times[2] = QStringLiteral("07:30");
    data.C_ETable.Events[4] = TC_EArray{100, 2, EncodeTrigger(CEAndConditionIndex, false),
                                        2 * 256 + 4, EncodeReset(4, true), 0};
    Run(&TReports::PrintCauseEffectSection);
    const QString title = QStringLiteral("Cause & Effect Configuration");
    const double h = H(title);
    EXPECT_EQ(Cell(Left(), reports->OY() + 3 * h), std::vector<QString>{"Occurs at "});
    EXPECT_EQ(Cell(Left() + 550 + 220, reports->OY() + 3 * h), std::vector<QString>{"07:30"});

    const int stops[] = {0, 110, 880, 1320, 1980, 2310, 2640, 2970, 3630, 3960, 4290};
    auto row = [&](int e) {
        std::vector<QString> texts;
        const double y = reports->OY() + (2 + 1 + 4 + 1 + e - 1) * h;
        for (int stop : stops) {
            const std::vector<QString> cell = Cell(Left() + stop, y);
            texts.push_back(cell.empty() ? QString() : cell.front());
        }
        return texts;
    };
    // The New events: Sounder Evac on panel input 1, Sounder Alert on input 2.
    EXPECT_EQ(row(1), (std::vector<QString>{"1", "Sounder Evac", "All Groups", "Panel Input", "",
                                            "Input 1", "TRUE", "Panel Input", "", "Input 1",
                                            "FALSE"}));
    EXPECT_EQ(row(3), (std::vector<QString>{"3", "No Event", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(row(4), (std::vector<QString>{"4", "Trig Output Set", "Set 3", "Event AND",
                                            "Event 3", "Event 5", "FALSE", "Panel Silenced", "",
                                            "", "TRUE"}));

    // A long text stays inside its column, in a smaller size.
    data.C_ETable.Events[5] = TC_EArray{100, 2, EncodeTrigger(2, true), 3, EncodeReset(4, true), 0};
    Run(&TReports::PrintCauseEffectSection);
    const TPageText* fire = FindText(Page(), QStringLiteral("Zone or Panel in Fire"));
    ASSERT_TRUE(fire);
    EXPECT_EQ(fire->TopLeft.x(), Left() + 1320);
    EXPECT_LT(fire->TopLeft.x() + fire->Width, Left() + 1980);
}

TEST_F(SectionTest, OwnNetworkRowIsBoldAndTheStyleCarriesOn)
{
    data.RepeaterList.Repeaters[3].Name = QStringLiteral("Annexe");
    data.RepeaterList.Repeaters[3].Fitted = true;
    data.Network.AcceptAlarms[2] = true;
    auto bold = [&](const QString& text) {
        const TPageText* t = FindText(Page(), text);
        return t && t->Font.bold();
    };
    data.PanelNumber = 3;
    Run(&TReports::PrintNetworkSection);
    EXPECT_TRUE(bold(QStringLiteral("Annexe")));
    EXPECT_TRUE(bold(QStringLiteral("3")));
    EXPECT_FALSE(bold(QStringLiteral("Faults")));
    EXPECT_FALSE(bold(QStringLiteral("From Panel")));
    const QString title = QStringLiteral("Network Configuration");
    const double h = H(title);
    EXPECT_EQ(Cell(Left() + 440 + 1540, reports->OY() + 5 * h), std::vector<QString>{"Y"});
    const double alarms = reports->OY() + (3 + 8 + 4 + 1 + 2 + 1) * h;
    EXPECT_EQ(Cell(Left(), alarms), std::vector<QString>{"Alarms"});
    EXPECT_EQ(Cell(Left() + 1650 + 330, alarms), std::vector<QString>{"Y"});

    data.PanelNumber = 8;
    Run(&TReports::PrintNetworkSection);
    EXPECT_FALSE(bold(QStringLiteral("Annexe")));
    EXPECT_TRUE(bold(QStringLiteral("Faults")));
    EXPECT_TRUE(bold(QStringLiteral("From Panel")));
    EXPECT_TRUE(bold(QStringLiteral("Occupied/Un-Uccupied")));
    EXPECT_FALSE(bold(QStringLiteral("Page 1")));
}

} // namespace

// The report on any device: recorded at 72 to 1200 dpi, on A4 and letter, portrait and
// landscape, no two texts cover each other and every text stands at the same place of the
// sheet, in proportion.
#include "PrintTestSupport.h"

#include "model/Data.h"
#include "reports/PrintSelection.h"

#include <QPrinter>

#include <gtest/gtest.h>

namespace {

// A configuration with long texts (as long as the pages let them be) where the report prints
// them.
void FillWithLongTexts(TData& data)
{
    TSiteConfig& site = data.SiteConfig;
    site.ClientName = QStringLiteral("Harbour Hotel and Conference Centre");
    site.ClientAddress1 = QStringLiteral("The Old Customs House, Quay Street");
    site.InstallerName = QStringLiteral("Northern Fire Protection Services");
    site.QuiescentString = QStringLiteral("HARBOUR HOTEL FIRE SYS");
    site.MaintenanceString = QStringLiteral("CALL NORTHERN FIRE 0161");
    site.EngineerNo = QStringLiteral("SN-7781");
    for (int zone = 1; zone <= 40; ++zone)
        data.ZoneList.Zone(zone).Name = QStringLiteral("CORRIDOR EAST%1").arg(zone % 10); // 14, the most
    for (int p = 1; p <= 80; ++p) {
        data.Loop1.PlaceDevice(p, p % 3 == 0 ? 20 : 136);
        data.Loop1.Devices[p].Zone = 1 + p % 40;
    }
}

// The report's own pages (the site page, loops, zones, groups, sets, network, cause and
// effect) recorded on a PDF device of the given resolution, paper and orientation.
std::unique_ptr<TReports> Record(const TData& data, int dpi, QPageSize::PageSizeId paper,
                                 QPageLayout::Orientation orientation)
{
    auto printer = MakePdfPrinter(QPageSize(paper));
    printer->setResolution(dpi);
    printer->setPageOrientation(orientation);
    auto reports = std::make_unique<TReports>(data, std::move(printer));
    reports->Clock = [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)); };
    TPrintSelection selection;
    selection.PrintComments = selection.PrintLog = selection.PrintChangeRecord = false;
    selection.PrintSections(*reports);
    reports->Engine().EndDoc();
    return reports;
}

std::vector<TPageText> Shown(const TRecordedPage& page)
{
    std::vector<TPageText> texts;
    for (const TPageText& t : page.Texts())
        if (!t.Text.trimmed().isEmpty())
            texts.push_back(t);
    return texts;
}

QRect Box(const TPageText& t)
{
    return QRect(t.TopLeft, QSize(t.Width, t.Height));
}

int Overlaps(const TRecordedPage& page, QStringList* pairs)
{
    const std::vector<TPageText> texts = Shown(page);
    int count = 0;
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i + 1; j < texts.size(); ++j)
            // Lines a text's height apart, each rounded to its pixel, may share one row of
            // pixels; more is an overlap.
            if (const QRect common = Box(texts[i]).intersected(Box(texts[j]));
                common.width() > 1 && common.height() > 1) {
                ++count;
                *pairs << texts[i].Text + QStringLiteral(" / ") + texts[j].Text;
            }
    return count;
}

} // namespace

TEST(ReportScaleTest, NoTextCoversAnotherAndEveryTextScalesWithTheSheet)
{
    TData data;
    FillWithLongTexts(data);
    for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
        for (const QPageLayout::Orientation orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
            const auto reference = Record(data, 600, paper, orientation);
            const TPreviewPrinter& ref = reference->Engine();
            ASSERT_GE(ref.PageCount(), 7);
            for (const int dpi : {72, 96, 150, 300, 1200}) {
                const auto reports = Record(data, dpi, paper, orientation);
                const TPreviewPrinter& engine = reports->Engine();
                const std::string where = QStringLiteral("%1 dpi, %2, %3")
                                              .arg(dpi)
                                              .arg(QPageSize(paper).name())
                                              .arg(orientation == QPageLayout::Portrait ? "portrait" : "landscape")
                                              .toStdString();
                ASSERT_EQ(engine.PageCount(), ref.PageCount()) << where;
                for (int p = 0; p < ref.PageCount(); ++p) {
                    QStringList pairs;
                    EXPECT_EQ(Overlaps(engine.Page(p), &pairs), 0)
                        << where << ", page " << p + 1 << ": " << pairs.join(", ").toStdString();
                    const std::vector<TPageText> texts = Shown(engine.Page(p));
                    const std::vector<TPageText> expected = Shown(ref.Page(p));
                    ASSERT_EQ(texts.size(), expected.size()) << where << ", page " << p + 1;
                    // In points: a position is rounded at most twice to the device's pixel
                    // (a centred text: its cell and its width).
                    const double slack = 0.5 + 2 * 72.0 / dpi;
                    for (std::size_t i = 0; i < texts.size(); ++i) {
                        const QPointF at = QPointF(texts[i].TopLeft) * 72.0 / dpi;
                        const QPointF want = QPointF(expected[i].TopLeft) * 72.0 / 600;
                        ASSERT_EQ(texts[i].Text, expected[i].Text) << where;
                        EXPECT_NEAR(at.x(), want.x(), slack) << where << " " << texts[i].Text.toStdString();
                        EXPECT_NEAR(at.y(), want.y(), slack) << where << " " << texts[i].Text.toStdString();
                    }
                }
            }
        }
    }
}

#include "editors/site/NetworkConfigPage.h"
#include "editors/site/SiteConfigPage.h"

#include "editors/site/SitePageSupport.h"

#include <QDir>

// Pictures of both pages for a person to look at (clipped or overlapping captions): written
// only when ZOL_SCREENSHOT_DIR names a folder.
TEST(SitePagesScreenshot, BothPagesAtTheirNaturalSize)
{
    const QString dir = qEnvironmentVariable("ZOL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZOL_SCREENSHOT_DIR not set";
    TEditorFixture f;
    f.Data.SiteConfig.ClientName = "Brenmoor Mills Ltd";
    f.Data.SiteConfig.ClientAddress1 = "Unit 4, Riverside Industrial Estate";
    TfrmSiteConfig site(f.Context);
    TfrmNetworkConfig network(f.Context);
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
    for (TPage* page : std::initializer_list<TPage*>{&site, &network}) {
        page->Refresh();
        page->resize(page->sizeHint());
        page->show();
        QApplication::processEvents();
        EXPECT_TRUE(page->grab().save(QDir(dir).filePath(
            QStringLiteral("%1_x%2.png").arg(page->objectName(), scale))));
    }
}

// The main window on a laptop screen. Runs under screens of its own (see CMakeLists.txt): a
// 1536 x 864 screen at 150 % (1024 x 576 device-independent pixels) and 1366 x 768 at
// 100 %; on the suite's small default screen it is skipped.

#include "MainFormFixture.h"

#include "editors/zones/OutputMatrix.h"

#include <QDir>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>

namespace {

bool OnLaptopScreen()
{
    return QGuiApplication::primaryScreen()->availableGeometry().width() >= 1024;
}

// Scroll areas of a page that scroll sideways (the matrices keep their zone labels in view
// while they do, and are not counted).
QStringList ScrollingSideways(QWidget* page)
{
    QStringList found;
    for (QScrollArea* area : page->findChildren<QScrollArea*>())
        if (area->isVisible() && area->horizontalScrollBar()->maximum() > 0
            && !area->objectName().endsWith(QLatin1String("Matrix")))
            found << area->objectName();
    return found;
}

} // namespace

TEST_F(TMainFormTest, FirstStartOnASmallScreenKeepsEveryPageWithin)
{
    if (!OnLaptopScreen())
        GTEST_SKIP() << "needs the laptop screen of its own test run";
    QTest::qWait(50);
    const QRect available = Form->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(Form->frameGeometry()) || Form->isMaximized());
    QStatusBar* status = Form->statusBar();
    ASSERT_TRUE(status->isVisible());
    EXPECT_TRUE(available.contains(QRect(status->mapToGlobal(QPoint(0, 0)), status->size())));

    QTabWidget& tabs = Form->PageControl();
    const QString shots = qEnvironmentVariable("ZOL_SCREENSHOT_DIR");
    for (int i = 0; i < tabs.count(); ++i) {
        if (!tabs.isTabVisible(i))
            continue;
        QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(i).center());
        QTest::qWait(20);
        QWidget* page = tabs.currentWidget();
        SCOPED_TRACE(page->objectName().toStdString());
        ASSERT_EQ(tabs.currentIndex(), i);
        EXPECT_EQ(ScrollingSideways(page), QStringList());
        // A matrix scrolled to its right end still shows the zone labels at its left edge.
        if (auto* matrix = page->findChild<TOutputMatrix*>()) {
            const QRegularExpression areaName(QStringLiteral("^sbx.*Matrix$"));
            QScrollArea* area = page->findChildren<QScrollArea*>(areaName).value(0);
            ASSERT_NE(area, nullptr);
            area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
            QTest::qWait(10);
            const QPoint leftEdge = matrix->mapFrom(area->viewport(), QPoint(4, 0));
            EXPECT_EQ(matrix->CellAt({leftEdge.x(), 2 * TOutputMatrix::RowHeight}).x(), 0);
        }
        if (!shots.isEmpty())
            Form->grab().save(QDir(shots).filePath(
                QStringLiteral("window_%1_%2.png").arg(i, 2, 10, QLatin1Char('0')).arg(page->objectName())));
    }
}

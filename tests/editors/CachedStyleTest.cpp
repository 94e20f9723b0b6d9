#include "editors/common/CachedStyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QStyleFactory>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

// A group box holding a line edit and a check box, every one drawn by the given style.
struct TSample {
    QWidget Host;
    QGroupBox* Box = new QGroupBox(QStringLiteral("Client"), &Host);
    QLineEdit* Edit = new QLineEdit(QStringLiteral("Kitchen"), Box);
    QCheckBox* Check = new QCheckBox(QStringLiteral("Detectors"), Box);

    explicit TSample(QStyle* style)
    {
        auto* inner = new QVBoxLayout(Box);
        inner->addWidget(Edit);
        inner->addWidget(Check);
        (new QVBoxLayout(&Host))->addWidget(Box);
        if (style)
            for (QWidget* w : {&Host, static_cast<QWidget*>(Box), static_cast<QWidget*>(Edit),
                               static_cast<QWidget*>(Check)})
                w->setStyle(style);
        Host.resize(240, 120);
    }
};

// The largest difference of one colour channel between two pictures of the same size.
int LargestDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size())
        return 255;
    int largest = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

void ExpectSameLook(TSample& cached, TSample& plain)
{
    EXPECT_LE(LargestDifference(cached.Host.grab().toImage(), plain.Host.grab().toImage()), 2);
}

} // namespace

// The frames copied from the cache look as the platform style draws them, and follow a change of
// colour or state at once: a stale picture would leave a dependency field white after it turned
// yellow, a focused box white, or a box unticked after it was ticked.
TEST(CachedStyle, LooksAsThePlatformStyleDrawsAndFollowsEveryChange)
{
    auto* cachedStyle = qobject_cast<QProxyStyle*>(QApplication::style());
    ASSERT_NE(cachedStyle, nullptr);
    std::unique_ptr<QStyle> plainStyle(QStyleFactory::create(cachedStyle->baseStyle()->name()));
    ASSERT_NE(plainStyle, nullptr);
    TSample cached(nullptr);
    TSample plain(plainStyle.get());
    ExpectSameLook(cached, plain);

    for (TSample* sample : {&cached, &plain}) {
        for (QWidget* w : {static_cast<QWidget*>(sample->Edit), static_cast<QWidget*>(sample->Check)}) {
            QPalette yellow = w->palette();
            yellow.setColor(QPalette::Base, Qt::yellow);
            yellow.setColor(QPalette::Window, Qt::yellow);
            w->setPalette(yellow);
        }
        sample->Check->setChecked(true);
    }
    ExpectSameLook(cached, plain);

    for (TSample* sample : {&cached, &plain}) {
        sample->Box->setEnabled(false);
        sample->Host.resize(300, 140);
    }
    ExpectSameLook(cached, plain);
}

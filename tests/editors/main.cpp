#include "editors/common/CachedStyle.h"

#include <QApplication>

#include <gtest/gtest.h>

// Widgets need a QApplication; the suite runs on the offscreen platform.
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TCachedStyle::Install();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include <QGuiApplication>

#include <gtest/gtest.h>

// Fonts are measured through Qt's GUI module, so the suite runs inside a QGuiApplication.
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

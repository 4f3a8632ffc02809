#include <QApplication>

#include <gtest/gtest.h>

// Every test runs inside one QApplication, offscreen unless told otherwise, on a screen of
// the smallest size the windows are drawn for (1024x768).
int main(int argc, char** argv)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" VB_TEST_SCREEN);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include <QGuiApplication>

#include <gtest/gtest.h>

// Drawing needs a QGuiApplication for its fonts and palette. The tests never open a window, so
// they run on the offscreen platform unless told otherwise (test discovery runs them without
// ctest's environment).
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

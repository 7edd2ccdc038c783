#include "views/qpainter_surface.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

// Runs without any QGuiApplication: there is no palette to ask for the button face.
namespace shift {
namespace {

TEST(ColourWithoutApplication, ButtonFaceFallsBackToLightGray)
{
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_EQ(toQColor(kButtonFace), QColor(0xF0, 0xF0, 0xF0));
}

TEST(ColourWithoutApplication, PlainValuesNeedNoApplication)
{
    EXPECT_EQ(toQColor(kSilver), QColor(192, 192, 192));
    EXPECT_EQ(toQColor(kRed), QColor(255, 0, 0));
}

} // namespace
} // namespace shift

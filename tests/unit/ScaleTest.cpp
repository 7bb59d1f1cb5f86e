// One rounding rule turns twips and 96-dpi pixels into a window's pixels at
// every display scale (what is drawn at each: tests/program/PicturesTest.cpp).
#include <gtest/gtest.h>

#include "platform/Dpi.h"

namespace {

using platform::Dpi;

TEST(DpiRule, DesignPixelsTwipsAndPixelsAgreeAtEveryScale) {
    // 15 twips are one 96-dpi pixel whatever the scale: a layout in twips
    // and a size in 96-dpi pixels land on the same pixels.
    for (int dpi = 72; dpi <= 480; ++dpi) {
        for (int pixels96 = 0; pixels96 <= 400; ++pixels96) {
            ASSERT_EQ(Dpi(dpi).ToPixels(pixels96 * 15), Dpi(dpi).Scale(pixels96))
                << pixels96 << " pixels at " << dpi << " dpi";
        }
    }
    // Halves round away from zero; pixels survive the trip through twips.
    EXPECT_EQ(Dpi(144).Scale(199), 299);  // 298.5
    EXPECT_EQ(Dpi(144).Scale(179), 269);  // 268.5
    EXPECT_EQ(Dpi(120).Scale(199), 249);  // 248.75
    EXPECT_EQ(Dpi(192).Scale(199), 398);
    EXPECT_EQ(Dpi(144).ToPixels(-15), -2);  // -1.5, as MulDiv rounds it
    EXPECT_EQ(Dpi(192).TwipsPerPixel(), 7.5);
    for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        for (int pixels = -50; pixels <= 2000; ++pixels) {
            ASSERT_EQ(Dpi(dpi).ToPixels(Dpi(dpi).ToTwips(pixels)), pixels)
                << pixels << " pixels at " << dpi << " dpi";
        }
    }
    EXPECT_EQ(Dpi(0), Dpi(96)) << "a system that cannot tell its scale has 96 dpi";
}

}  // namespace

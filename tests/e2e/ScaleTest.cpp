// What the screen's scale changes, seen from outside: the program draws its
// pictures for the scale rather than stretching them. The checks hold on a
// screen of any scale; scripts/e2e.sh --dpi runs them on one of 144 dpi as
// well, and tells the tests which scale to expect.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "NotificationArea.h"
#include "ProgramUnderTest.h"

namespace e2e {
namespace {

// The box of the pixels in `colour` within `area` of the screen.
RECT BoxOfColour(const RECT& area, COLORREF colour) {
    const std::vector<COLORREF> pixels = ScreenPixels(area);
    const int width = area.right - area.left;
    RECT box{width, area.bottom - area.top, -1, -1};
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] != colour) {
            continue;
        }
        const int x = static_cast<int>(i) % width;
        const int y = static_cast<int>(i) / width;
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
               std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
    }
    return box;
}

// Wine's own scale unless the run asked for another.
TEST(Scale, ScreenHasTheScaleTheRunAskedFor) {
    const char* asked = std::getenv("CONVALIS_E2E_DPI");
    const bool any = asked != nullptr && *asked != '\0';
    EXPECT_EQ(ScreenPixelsPerInchX(), any ? std::atoi(asked) : 96);
}

class ScaledMainWindow : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(app_.WaitForShownMainWindow(), nullptr); }

    // The control's rectangle on the screen.
    RECT ScreenRect(const wchar_t* control) const { return app_.Main().Location(control); }

    ProgramUnderTest app_;
};

// The icons with a square ground fill their whole square in that ground's
// colour: its box is the icon's size.
TEST_F(ScaledMainWindow, ButtonIconsAreDrawnAtTheScalesIconSize) {
    struct SquareIcon {
        const wchar_t* button;
        COLORREF ground;
    };
    const SquareIcon icons[] = {
        {L"imaCommand(0)", RGB(0xC4, 0x2B, 0x1C)},
        {L"imaCommand(1)", RGB(0x1F, 0x5F, 0xAF)},
        {L"imaCommand(2)", RGB(0x3C, 0x5A, 0x66)},
        {L"imaCommand(5)", RGB(0x00, 0x33, 0x99)},
    };
    const int size = ScaledToScreen(16);
    for (const SquareIcon& icon : icons) {
        const RECT button = ScreenRect(icon.button);
        RECT box{};
        ASSERT_TRUE(WaitUntil([&] {
            box = BoxOfColour(button, icon.ground);
            return box.right > box.left;
        })) << Utf8(icon.button)
            << " shows no icon";
        EXPECT_EQ(box.right - box.left, size) << Utf8(icon.button);
        EXPECT_EQ(box.bottom - box.top, size) << Utf8(icon.button);
    }
}

// The marker is 6 x 12 pixels at 96 dpi: at another scale it has the scaled
// size, and its triangle is drawn for it, from a short tip to a full base.
TEST_F(ScaledMainWindow, FocusMarkerIsDrawnAtTheScalesSize) {
    const RECT marker = ScreenRect(L"nrvFocus");
    const int width = ScaledToScreen(6);
    const int height = ScaledToScreen(12);
    ASSERT_EQ(marker.right - marker.left, width);
    ASSERT_EQ(marker.bottom - marker.top, height);

    const COLORREF triangle = GetSysColor(COLOR_BTNTEXT);
    const auto column = [&](int x) {
        return BoxOfColour(RECT{marker.left + x, marker.top, marker.left + x + 1, marker.bottom},
                           triangle);
    };
    ASSERT_TRUE(WaitUntil([&] {
        const RECT base = column(width - 1);
        return base.top == 0 && base.bottom == height;
    })) << "the triangle's base is not the marker's full height";
    const RECT tip = column(0);
    EXPECT_GT(tip.bottom - tip.top, 0) << "no tip";
    EXPECT_LE(tip.bottom - tip.top, ScaledToScreen(2)) << "the tip is as tall as at 96 dpi, scaled";
    EXPECT_EQ(tip.top + tip.bottom, height) << "the tip is not level with the middle";
}

// The shell's small-icon size is 16 pixels at 96 dpi, scaled: the program
// hands it the image drawn for that size, which the shell shows as it is.
TEST_F(ScaledMainWindow, NotificationIconIsTheImageDrawnForTheShellsSize) {
    const std::optional<RECT> icon = WaitForNotificationIcon();
    ASSERT_TRUE(icon.has_value()) << "no notification icon";
    const int size = ScaledToScreen(16);
    ASSERT_EQ(icon->right - icon->left, size);
    ASSERT_EQ(icon->bottom - icon->top, size);
    // The coin's corners are transparent: the ground shows there.
    const COLORREF ground = ScreenPixel({icon->left, icon->top});
    // Resource 1, the windows' icon.
    const std::vector<COLORREF> expected =
        IconPixels(ProgramUnderTest::Folder() + L"\\Convalis.exe", 1, size, ground);
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(size * size)) << "the icon did not load";
    EXPECT_EQ(ScreenPixels(*icon), expected)
        << "the shell shows another image than the " << size << "-pixel one";
}

}  // namespace
}  // namespace e2e

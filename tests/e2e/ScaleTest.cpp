// What the screen's scale changes, seen from outside: the program draws its
// pictures for the scale rather than stretching them. The checks hold on a
// screen of any scale; scripts/e2e.sh --dpi runs them at other scales as
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

// The marker is 6 x 12 pixels at 96 dpi: at another scale it has the scaled
// size, and its triangle is drawn for it, from a short tip to a full base.
testing::AssertionResult MarkerIsDrawnAtTheScalesSize(const RECT& marker) {
    const int width = ScaledToScreen(6);
    const int height = ScaledToScreen(12);
    if (marker.right - marker.left != width || marker.bottom - marker.top != height) {
        return testing::AssertionFailure() << "the marker is not " << width << " x " << height;
    }
    const COLORREF triangle = GetSysColor(COLOR_BTNTEXT);
    const auto column = [&](int x) {
        return BoxOfColour(RECT{marker.left + x, marker.top, marker.left + x + 1, marker.bottom},
                           triangle);
    };
    if (!WaitUntil([&] {
            const RECT base = column(width - 1);
            return base.top == 0 && base.bottom == height;
        })) {
        return testing::AssertionFailure() << "the triangle's base is not the marker's height";
    }
    const RECT tip = column(0);
    if (tip.bottom <= tip.top || tip.bottom - tip.top > ScaledToScreen(2) ||
        tip.top + tip.bottom != height) {
        return testing::AssertionFailure() << "the tip is not short and level with the middle";
    }
    return testing::AssertionSuccess();
}

// The shell's small-icon size is 16 pixels at 96 dpi, scaled: the program
// hands it the image drawn for that size, which the shell shows as it is.
testing::AssertionResult NotificationIconIsTheImageForTheShellsSize() {
    const std::optional<RECT> icon = WaitForNotificationIcon();
    const int size = ScaledToScreen(16);
    if (!icon || icon->right - icon->left != size || icon->bottom - icon->top != size) {
        return testing::AssertionFailure() << "no notification icon of " << size << " pixels";
    }
    // The coin's corners are transparent: the ground shows there. Resource
    // 1 is the windows' icon.
    const COLORREF ground = ScreenPixel({icon->left, icon->top});
    if (ScreenPixels(*icon) != IconPixels(ProgramUnderTest::Executable(), 1, size, ground)) {
        return testing::AssertionFailure()
               << "the shell shows another image than the " << size << "-pixel one";
    }
    return testing::AssertionSuccess();
}

// The buttons' icons with a square ground fill their whole square in that
// ground's colour: its box is the icon's size. The euro-zone window's close,
// about and help buttons show black glyphs where the main window's icons
// are coloured.
TEST(Scale, IconsMarkerAndNotificationIconAreDrawnForTheScale) {
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForShownMainWindow(), nullptr);
    const COLORREF close = RGB(0xC4, 0x2B, 0x1C), about = RGB(0x00, 0x80, 0x8A);
    const COLORREF help = RGB(0x1F, 0x5F, 0xAF);
    const struct {
        const wchar_t* button;
        COLORREF ground;
    } icons[] = {{L"imaCommand(0)", close},
                 {L"imaCommand(1)", help},
                 {L"imaCommand(2)", RGB(0x3C, 0x5A, 0x66)},
                 {L"imaCommand(5)", RGB(0x00, 0x33, 0x99)}};
    const int size = ScaledToScreen(16);
    for (const auto& icon : icons) {
        const RECT button = app.Main().Location(icon.button);
        RECT box{};
        ASSERT_TRUE(WaitUntil([&] {
            box = BoxOfColour(button, icon.ground);
            return box.right > box.left;
        })) << Utf8(icon.button)
            << " shows no icon";
        EXPECT_EQ(box.right - box.left, size) << Utf8(icon.button);
        EXPECT_EQ(box.bottom - box.top, size) << Utf8(icon.button);
    }
    EXPECT_TRUE(MarkerIsDrawnAtTheScalesSize(app.Main().Location(L"nrvFocus")));
    EXPECT_TRUE(NotificationIconIsTheImageForTheShellsSize());

    const COLORREF black = RGB(0, 0, 0);
    const std::pair<const wchar_t*, COLORREF> coloured[] = {
        {L"imaCommand(0)", close}, {L"imaCommand(3)", about}, {L"imaCommand(4)", help}};
    for (const auto& [button, colour] : coloured) {
        EXPECT_TRUE(app.Main().IsDrawnIn(button, colour, black));
    }
    app.Press({WithAlt('Z')});
    const ProgramWindow zone = app.WaitForWindow(WindowKind::kEuroZone);
    ASSERT_TRUE(zone) << "Alt+Z opened no euro-zone window";
    for (int i = 0; i < 3; ++i) {
        const std::wstring button = L"imaCommand(" + std::to_wstring(i) + L")";
        EXPECT_TRUE(zone.IsDrawnIn(button, black, coloured[i].second)) << Utf8(button);
    }
}

}  // namespace
}  // namespace e2e

// What the screen shows of every window of the program at the screen's
// scale. The face that every window shares: a coin with the two bars of the
// euro sign sticking out on the left, cut by a window region, the olive euro
// sign on the window colour, and a 2-pixel frame in the button-face colour
// along the inside of the region's edge. The points are pixels of a 96-dpi
// screen; on a screen of another scale the program draws its face and its
// pictures for that scale rather than stretching them, so each point is
// scaled as the program scales it. scripts/e2e.sh --dpi runs them at other
// scales as well, and tells the tests which scale to expect.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "NotificationArea.h"
#include "ProgramUnderTest.h"
#include "ResourceIds.h"
#include "platform/win32/Handles.h"

namespace e2e {
namespace {

constexpr int kWidth = 199;
constexpr int kHeight = 179;
constexpr COLORREF kOlive = RGB(179, 181, 11);

// Points of the design at the screen's scale.
std::vector<POINT> Scaled(std::vector<POINT> design) {
    for (POINT& point : design) {
        point = {ScaledToScreen(point.x), ScaledToScreen(point.y)};
    }
    return design;
}

// The design's region at the screen's scale, each coordinate scaled alone:
// the disc in (20, 0, 199, 179) and the bars (0, 63, 30, 80), (0, 99, 30, 116).
HRGN ScaledDesignRegion() {
    const auto s = ScaledToScreen;
    HRGN disc = CreateEllipticRgn(s(20), 0, s(199), s(179));
    for (int top : {63, 99}) {
        const win32::UniqueRegion bar(CreateRectRgn(0, s(top), s(30), s(top + 17)));
        CombineRgn(disc, disc, bar.Get(), RGN_OR);
    }
    return disc;
}

// The window has the design's size and region at the screen's scale, in
// the middle of the screen (the others open centred on the main window),
// and no frame; the checks are for the window's face.
testing::AssertionResult HasTheDesignsShape(HWND window) {
    const RECT rect = WindowRect(window);
    const POINT centre = Centre(rect);
    if (rect.right - rect.left != ScaledToScreen(kWidth) ||
        rect.bottom - rect.top != ScaledToScreen(kHeight) ||
        std::abs(centre.x - GetSystemMetrics(SM_CXSCREEN) / 2) > 1 ||
        std::abs(centre.y - GetSystemMetrics(SM_CYSCREEN) / 2) > 1) {
        return testing::AssertionFailure() << "the window is (" << rect.left << ", " << rect.top
                                           << ", " << rect.right << ", " << rect.bottom << ")";
    }
    const win32::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, region.Get()) == ERROR) {
        return testing::AssertionFailure() << "the window has no region";
    }
    const win32::UniqueRegion expected(ScaledDesignRegion());
    CombineRgn(region.Get(), region.Get(), expected.Get(), RGN_XOR);
    RECT differs{};
    if (GetRgnBox(region.Get(), &differs) != NULLREGION) {
        return testing::AssertionFailure()
               << "the region differs from the design at " << ScreenPixelsPerInchX()
               << " dpi within (" << differs.left << ", " << differs.top << ", " << differs.right
               << ", " << differs.bottom << ")";
    }
    return testing::AssertionSuccess();
}

void ExpectTheOliveEuroSignAndItsFrame(const ProgramWindow& window) {
    // The bars from column 0 and the arc left of column 103; the frame's
    // 2 pixels cover the bar ends and the rim.
    EXPECT_TRUE(window.ShowsColourAt(
        Scaled({{60, 70}, {2, 70}, {10, 101}, {10, 107}, {40, 40}, {40, 140}, {101, 6}}), kOlive));
    EXPECT_TRUE(window.ShowsColourAt(
        Scaled({{0, 70}, {1, 70}, {10, 99}, {10, 100}, {0, 107}, {10, 115}, {109, 0}, {109, 1}}),
        GetSysColor(COLOR_BTNFACE)));
    // The arc is cut straight at column 102; inside the disc the window
    // colour shows.
    EXPECT_TRUE(
        window.ShowsColourAt(Scaled({{104, 6}, {109, 2}, {150, 155}}), GetSysColor(COLOR_WINDOW)));
}

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

// Each window in turn, as it comes to the front: the main window, the
// euro-zone window over it, the about box over that, then the options. The
// buttons' icons with a square ground fill their whole square in that
// ground's colour: its box is the icon's size. The marker is 6 x 12 pixels
// at 96 dpi: at another scale it has the scaled size, and its triangle is
// drawn for it, from a short tip to a full base. The shell's small-icon size
// is 16 pixels at 96 dpi, scaled: the program hands it the image drawn for
// that size, which the shell shows as it is. The euro-zone window's close,
// about and help buttons show black glyphs where the main window's icons
// are coloured.
TEST(WindowFace, EveryWindowHasTheDesignsShapeFaceAndPicturesAtTheScale) {
    // The screen has Wine's own scale unless the run asked for another.
    const char* asked = std::getenv("CONVALIS_E2E_DPI");
    ASSERT_EQ(ScreenPixelsPerInchX(), asked != nullptr && *asked != '\0' ? std::atoi(asked) : 96);
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    const auto check = [](const char* name, const ProgramWindow& window) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(window) << "the window did not open";
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window.Handle(); }))
            << "the window did not come to the front";
        EXPECT_TRUE(HasTheDesignsShape(window.Handle()));
        ExpectTheOliveEuroSignAndItsFrame(window);
    };
    check("main window", app.Main());
    const COLORREF close = RGB(0xC4, 0x2B, 0x1C), about = RGB(0x00, 0x80, 0x8A);
    const COLORREF help = RGB(0x1F, 0x5F, 0xAF);
    // Each button's square ground colour and its icon resource; 0 for the
    // hide button, part of which lies under the frame along the coin's rim.
    const struct {
        const wchar_t* button;
        COLORREF ground;
        int resource;
    } icons[] = {{L"imaCommand(0)", close, CONVALIS_IDI_CLOSE},
                 {L"imaCommand(1)", help, 0},
                 {L"imaCommand(2)", RGB(0x3C, 0x5A, 0x66), CONVALIS_IDI_OPTIONS},
                 {L"imaCommand(5)", RGB(0x00, 0x33, 0x99), CONVALIS_IDI_EUROZONE}};
    const int size = ScaledToScreen(16);
    for (const auto& [button, ground, resource] : icons) {
        const RECT place = app.Main().Location(button);
        RECT box{};
        ASSERT_TRUE(WaitUntil([&] {
            box = BoxOfColour(place, ground);
            return box.right > box.left;
        })) << Utf8(button)
            << " shows no icon";
        EXPECT_EQ(box.right - box.left, size) << Utf8(button);
        EXPECT_EQ(box.bottom - box.top, size) << Utf8(button);
        if (resource == 0) {
            continue;
        }
        // Every opaque pixel of the icon as the system draws it: those it
        // draws alike over black and over white.
        const RECT square{place.left + box.left, place.top + box.top, place.left + box.left + size,
                          place.top + box.top + size};
        const std::wstring program = ProgramUnderTest::Executable();
        const std::vector<COLORREF> overBlack = IconPixels(program, resource, size, RGB(0, 0, 0));
        const std::vector<COLORREF> overWhite =
            IconPixels(program, resource, size, RGB(255, 255, 255));
        const std::vector<COLORREF> shown = ScreenPixels(square);
        ASSERT_EQ(shown.size(), overBlack.size());
        int opaque = 0, wrong = 0;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (overBlack[i] == overWhite[i]) {
                ++opaque;
                wrong += shown[i] != overBlack[i] ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, size * size / 2) << Utf8(button);
        EXPECT_EQ(wrong, 0) << Utf8(button) << " differs from its icon at opaque pixels";
    }

    const RECT marker = app.Main().Location(L"nrvFocus");
    const int width = ScaledToScreen(6), height = ScaledToScreen(12);
    EXPECT_EQ(marker.right - marker.left, width);
    EXPECT_EQ(marker.bottom - marker.top, height);
    const auto column = [&](int x) {
        return BoxOfColour({marker.left + x, marker.top, marker.left + x + 1, marker.bottom},
                           GetSysColor(COLOR_BTNTEXT));
    };
    EXPECT_TRUE(WaitUntil([&] {
        const RECT base = column(width - 1);
        return base.top == 0 && base.bottom == height;
    })) << "the triangle's base is not the marker's height";
    const RECT tip = column(0);
    EXPECT_TRUE(tip.bottom > tip.top && tip.bottom - tip.top <= ScaledToScreen(2) &&
                tip.top + tip.bottom == height)
        << "the tip is not short and level with the middle";

    const std::optional<RECT> icon = WaitForNotificationIcon();
    ASSERT_TRUE(icon && icon->right - icon->left == size && icon->bottom - icon->top == size)
        << "no notification icon of " << size << " pixels";
    // The coin's corners are transparent: the ground shows there.
    const COLORREF ground = ScreenPixel({icon->left, icon->top});
    EXPECT_TRUE(ScreenPixels(*icon) ==
                IconPixels(ProgramUnderTest::Executable(), CONVALIS_IDI_WINDOW, size, ground))
        << "the shell shows another image than the " << size << "-pixel one";

    const COLORREF black = RGB(0, 0, 0);
    const std::pair<const wchar_t*, COLORREF> coloured[] = {
        {L"imaCommand(0)", close}, {L"imaCommand(3)", about}, {L"imaCommand(4)", help}};
    for (const auto& [button, colour] : coloured) {
        EXPECT_TRUE(app.Main().IsDrawnIn(button, colour, black));
    }
    app.Press({WithAlt('Z')});
    const ProgramWindow zone = app.WaitForWindow(WindowKind::kEuroZone);
    check("euro-zone window", zone);
    for (int i = 0; i < 3; ++i) {
        const std::wstring button = L"imaCommand(" + std::to_wstring(i) + L")";
        EXPECT_TRUE(zone.IsDrawnIn(button, black, coloured[i].second)) << Utf8(button);
    }
    zone.Click(L"imaCommand(1)");
    const ProgramWindow aboutBox = app.WaitForWindow(WindowKind::kAbout);
    check("about box", aboutBox);
    aboutBox.Press({{VK_ESCAPE}});
    ASSERT_TRUE(WaitUntil([&] { return !aboutBox.IsShown(); }));
    zone.Press({WithAlt(VK_F4)});
    ASSERT_TRUE(WaitUntil([&] { return !zone.IsShown(); }));
    app.Press({WithAlt('O')});
    check("options dialog", app.WaitForWindow(WindowKind::kOptions));
}

}  // namespace
}  // namespace e2e

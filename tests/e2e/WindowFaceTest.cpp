// The face that every window of the program shares: a coin with the two
// bars of the euro sign sticking out on the left, cut by a window region,
// the olive euro sign on the window colour, and a 2-pixel frame in the
// button-face colour along the inside of the region's edge. The points are
// pixels of a 96-dpi screen; on a screen of another scale the face is drawn
// at that scale, so each point is scaled as the program scales it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "ProgramUnderTest.h"
#include "platform/win32/Handles.h"

namespace e2e {
namespace {

constexpr int kWidth = 199;
constexpr int kHeight = 179;
constexpr COLORREF kOlive = RGB(179, 181, 11);

// A point of the design at the screen's scale.
POINT Scaled(POINT design) {
    return {ScaledToScreen(design.x), ScaledToScreen(design.y)};
}

std::vector<POINT> Scaled(std::vector<POINT> design) {
    for (POINT& point : design) {
        point = Scaled(point);
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

// The corners cut out of the region belong to what lies behind, another
// program's window.
void ExpectTheCutOutCornersLeftToWhatLiesBehind(const ProgramWindow& window) {
    const auto isThisWindow = [&](POINT point) {
        HWND found = WindowFromPoint(window.ScreenPoint(Scaled(point)));
        return found == window.Handle() || IsChild(window.Handle(), found);
    };
    EXPECT_TRUE(isThisWindow({60, 70}));
    EXPECT_TRUE(isThisWindow({109, 89}));
    for (POINT cutOut : {POINT{10, 20}, POINT{10, 90}, POINT{5, 150}}) {
        HWND found = WindowFromPoint(window.ScreenPoint(Scaled(cutOut)));
        EXPECT_NE(WindowProcess(found), WindowProcess(window.Handle())) << Describe(cutOut);
    }
}

// Each window in turn, as it comes to the front: the main window, the
// euro-zone window over it, the about box over that, then the options.
TEST(WindowFace, EveryWindowHasTheDesignsShapeAndFace) {
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForShownMainWindow(), nullptr);
    const auto check = [](const ProgramWindow& window) {
        ASSERT_TRUE(window) << "the window did not open";
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window.Handle(); }))
            << "the window did not come to the front";
        EXPECT_TRUE(HasTheDesignsShape(window.Handle()));
        ExpectTheOliveEuroSignAndItsFrame(window);
        ExpectTheCutOutCornersLeftToWhatLiesBehind(window);
    };
    {
        SCOPED_TRACE("main window");
        check(app.Main());
    }
    app.Press({WithAlt('Z')});
    const ProgramWindow zone = app.WaitForWindow(WindowKind::kEuroZone);
    {
        SCOPED_TRACE("euro-zone window");
        check(zone);
    }
    zone.Click(L"imaCommand(1)");
    const ProgramWindow about = app.WaitForWindow(WindowKind::kAbout);
    {
        SCOPED_TRACE("about box");
        check(about);
    }
    about.Press({{VK_ESCAPE}});
    ASSERT_TRUE(WaitUntil([&] { return !about.IsShown(); }));
    zone.Press({WithAlt(VK_F4)});
    ASSERT_TRUE(WaitUntil([&] { return !zone.IsShown(); }));
    app.Press({WithAlt('O')});
    SCOPED_TRACE("options dialog");
    check(app.WaitForWindow(WindowKind::kOptions));
}

}  // namespace
}  // namespace e2e

// The face that every window of the program shares: a coin with the two
// bars of the euro sign sticking out on the left, cut by a window region,
// the olive euro sign on the window colour, and a 2-pixel frame in the
// button-face colour along the inside of the region's edge. The points are
// pixels of a 96-dpi screen; on a screen of another scale the face is drawn
// at that scale, so each point is scaled as the program scales it.
#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

constexpr int kWidth = 199;
constexpr int kHeight = 179;
constexpr COLORREF kOlive = RGB(179, 181, 11);

struct GdiRegion {
    HRGN handle;
    explicit GdiRegion(HRGN made = CreateRectRgn(0, 0, 0, 0)) : handle(made) {}
    ~GdiRegion() { DeleteObject(handle); }
    GdiRegion(const GdiRegion&) = delete;
    GdiRegion& operator=(const GdiRegion&) = delete;
};

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
        GdiRegion bar(CreateRectRgn(0, s(top), s(30), s(top + 17)));
        CombineRgn(disc, disc, bar.handle, RGN_OR);
    }
    return disc;
}

// How a test reaches each window: the main window is there at start, the
// others open over it.
struct WindowCase {
    const char* name;
    ProgramWindow (*open)(const ProgramUnderTest& app);
};

void PrintTo(const WindowCase& window, std::ostream* out) {
    *out << window.name;
}

ProgramWindow OpenedWith(const ProgramUnderTest& app, Keystroke key, WindowKind kind) {
    app.Press({key});
    return app.WaitForWindow(kind);
}

const WindowCase kWindows[] = {
    {"MainWindow", [](const ProgramUnderTest& app) { return app.Main(); }},
    {"EuroZone",
     [](const ProgramUnderTest& app) {
         return OpenedWith(app, WithAlt('Z'), WindowKind::kEuroZone);
     }},
    {"Options",
     [](const ProgramUnderTest& app) {
         return OpenedWith(app, WithAlt('O'), WindowKind::kOptions);
     }},
    {"AboutBox",
     [](const ProgramUnderTest& app) {
         app.Click(L"imaCommand(3)");
         return app.WaitForWindow(WindowKind::kAbout);
     }},
};

class EveryWindow : public testing::TestWithParam<WindowCase> {
protected:
    void SetUp() override {
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr);
        window_ = GetParam().open(app_);
        ASSERT_TRUE(window_) << "the window did not open";
        ASSERT_TRUE(WaitUntil([this] { return GetForegroundWindow() == window_.Handle(); }))
            << "the window did not come to the front";
    }

    ProgramUnderTest app_;
    ProgramWindow window_;
};

TEST_P(EveryWindow, HasTheDesignsSizeAndRegionAtTheScreensScale) {
    const RECT rect = WindowRect(window_.Handle());
    EXPECT_EQ(rect.right - rect.left, ScaledToScreen(kWidth));
    EXPECT_EQ(rect.bottom - rect.top, ScaledToScreen(kHeight));
    GdiRegion region;
    ASSERT_NE(GetWindowRgn(window_.Handle(), region.handle), ERROR) << "the window has no region";
    GdiRegion expected(ScaledDesignRegion());
    GdiRegion difference;
    CombineRgn(difference.handle, region.handle, expected.handle, RGN_XOR);
    RECT differs{};
    EXPECT_EQ(GetRgnBox(difference.handle, &differs), NULLREGION)
        << "the region differs from the design at " << ScreenPixelsPerInchX() << " dpi within ("
        << differs.left << ", " << differs.top << ", " << differs.right << ", " << differs.bottom
        << ")";
}

TEST_P(EveryWindow, ShowsTheOliveEuroSignAndItsFrame) {
    // The bars from column 0 and the arc left of column 103; the frame's
    // 2 pixels cover the bar ends and the rim.
    EXPECT_TRUE(window_.ShowsColourAt(
        Scaled({{60, 70}, {2, 70}, {10, 101}, {10, 107}, {40, 40}, {40, 140}, {101, 6}}), kOlive));
    EXPECT_TRUE(window_.ShowsColourAt(
        Scaled({{0, 70}, {1, 70}, {10, 99}, {10, 100}, {0, 107}, {10, 115}, {109, 0}, {109, 1}}),
        GetSysColor(COLOR_BTNFACE)));
    // The arc is cut straight at column 102; inside the disc the window
    // colour shows.
    EXPECT_TRUE(
        window_.ShowsColourAt(Scaled({{104, 6}, {109, 2}, {150, 155}}), GetSysColor(COLOR_WINDOW)));
}

TEST_P(EveryWindow, LeavesTheCutOutCornersToWhatLiesBehind) {
    const auto windowAt = [this](POINT point) {
        return WindowFromPoint(window_.ScreenPoint(point));
    };
    const auto isThisWindow = [this](HWND found) {
        return found == window_.Handle() || IsChild(window_.Handle(), found);
    };
    EXPECT_TRUE(isThisWindow(windowAt(Scaled({60, 70}))));
    EXPECT_TRUE(isThisWindow(windowAt(Scaled({109, 89}))));
    for (POINT cutOut : {POINT{10, 20}, POINT{10, 90}, POINT{5, 150}}) {
        HWND found = windowAt(Scaled(cutOut));
        EXPECT_FALSE(isThisWindow(found)) << "(" << cutOut.x << ", " << cutOut.y << ")";
        EXPECT_NE(WindowProcess(found), app_.ProcessId())
            << "(" << cutOut.x << ", " << cutOut.y << ") belongs to another window of the program";
    }
}

INSTANTIATE_TEST_SUITE_P(WindowFace, EveryWindow, testing::ValuesIn(kWindows),
                         [](const testing::TestParamInfo<WindowCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace e2e

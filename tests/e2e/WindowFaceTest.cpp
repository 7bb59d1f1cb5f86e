// The face that every window of the program shares: a coin with the two
// bars of the euro sign sticking out on the left, cut by a window region,
// the olive euro sign on the window colour, and a 2-pixel frame in the
// button-face colour along the inside of the region's edge.
#include <gtest/gtest.h>

#include <ostream>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

constexpr int kWidth = 199;
constexpr int kHeight = 179;
constexpr COLORREF kOlive = RGB(179, 181, 11);

struct GdiRegion {
    HRGN handle = CreateRectRgn(0, 0, 0, 0);
    GdiRegion() = default;
    ~GdiRegion() { DeleteObject(handle); }
    GdiRegion(const GdiRegion&) = delete;
    GdiRegion& operator=(const GdiRegion&) = delete;
};

// How a test reaches each window: the main window is there at start, the
// others open over it.
struct WindowCase {
    const char* name;
    ProgramWindow (*open)(const ProgramUnderTest& app);
};

void PrintTo(const WindowCase& window, std::ostream* out) {
    *out << window.name;
}

ProgramWindow OpenedWith(const ProgramUnderTest& app, Keystroke key, const wchar_t* control) {
    app.Press({key});
    return app.WaitForWindowWith(control);
}

const WindowCase kWindows[] = {
    {"MainWindow", [](const ProgramUnderTest& app) { return app.Main(); }},
    {"EuroZone",
     [](const ProgramUnderTest& app) { return OpenedWith(app, WithAlt('Z'), L"lblP(0)"); }},
    {"Options",
     [](const ProgramUnderTest& app) { return OpenedWith(app, WithAlt('O'), L"chkAppoint"); }},
    {"AboutBox",
     [](const ProgramUnderTest& app) {
         app.Click(L"imaCommand(3)");
         return app.WaitForWindowWith(L"lblTitle");
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

TEST_P(EveryWindow, IsACoinWithTwoBarsSeenFromOutside) {
    const RECT rect = WindowRect(window_.Handle());
    EXPECT_EQ(rect.right - rect.left, kWidth);
    EXPECT_EQ(rect.bottom - rect.top, kHeight);

    GdiRegion region;
    ASSERT_NE(GetWindowRgn(window_.Handle(), region.handle), ERROR) << "the window has no region";
    const auto inside = [&](int x, int y) { return PtInRegion(region.handle, x, y) != FALSE; };
    // The disc.
    EXPECT_TRUE(inside(109, 89));
    EXPECT_TRUE(inside(109, 2));
    EXPECT_TRUE(inside(22, 89));
    EXPECT_TRUE(inside(196, 89));
    EXPECT_FALSE(inside(0, 0));
    EXPECT_FALSE(inside(kWidth - 1, kHeight - 1));
    EXPECT_FALSE(inside(10, 20));
    EXPECT_FALSE(inside(10, 90));
    // The bars: rows 63 to 79 and 99 to 115 from column 0.
    for (int x : {0, 5, 29}) {
        EXPECT_TRUE(inside(x, 63)) << "upper bar, column " << x;
        EXPECT_TRUE(inside(x, 79)) << "upper bar, column " << x;
        EXPECT_TRUE(inside(x, 99)) << "lower bar, column " << x;
        EXPECT_TRUE(inside(x, 115)) << "lower bar, column " << x;
    }
    for (int y : {62, 80, 98, 116}) {
        EXPECT_FALSE(inside(0, y)) << "row " << y << " beside the bars";
    }
}

TEST_P(EveryWindow, ShowsTheOliveEuroSignAndItsFrame) {
    // The bars from column 0 and the arc left of column 103; the frame's
    // 2 pixels cover the bar ends and the rim.
    EXPECT_TRUE(window_.ShowsColourAt(
        {{60, 70}, {2, 70}, {10, 101}, {10, 107}, {40, 40}, {40, 140}, {101, 6}}, kOlive));
    EXPECT_TRUE(window_.ShowsColourAt(
        {{0, 70}, {1, 70}, {10, 99}, {10, 100}, {0, 107}, {10, 115}, {109, 0}, {109, 1}},
        GetSysColor(COLOR_BTNFACE)));
    // The arc is cut straight at column 102; inside the disc the window
    // colour shows.
    EXPECT_TRUE(window_.ShowsColourAt({{104, 6}, {109, 2}, {150, 155}}, GetSysColor(COLOR_WINDOW)));
}

TEST_P(EveryWindow, LeavesTheCutOutCornersToWhatLiesBehind) {
    const auto windowAt = [this](POINT point) {
        return WindowFromPoint(window_.ScreenPoint(point));
    };
    const auto isThisWindow = [this](HWND found) {
        return found == window_.Handle() || IsChild(window_.Handle(), found);
    };
    EXPECT_TRUE(isThisWindow(windowAt({60, 70})));
    EXPECT_TRUE(isThisWindow(windowAt({109, 89})));
    for (POINT cutOut : {POINT{10, 20}, POINT{10, 90}, POINT{5, 150}}) {
        HWND found = windowAt(cutOut);
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

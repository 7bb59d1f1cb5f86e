// The main window as a user at the counter meets it: its place and look on
// screen, its tooltips, real keys with modifiers held, and the user's
// number format.
#include <gtest/gtest.h>

#include <cmath>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

constexpr wchar_t kInternational[] = L"Control Panel\\International";
constexpr int kMarkerGapTwips = 70;

class ConverterWindow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app_.Started());
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr)
            << "no top-level window titled \"Convalis\" appeared";
    }

    // The program is made for the French number format.
    ScopedUserSetting frenchDecimal_{kInternational, L"sDecimal", L","};
    ProgramUnderTest app_;
};

// The marker's left edge is 70 twips right of the display's right edge: a
// fraction of a pixel, which the program may round either way.
testing::AssertionResult MarkerIsBeside(const ProgramWindow& window, std::wstring_view display) {
    const double gap = kMarkerGapTwips * ScreenPixelsPerInchX() / 1440.0;
    RECT marker{}, shown{};
    const auto beside = [&] {
        marker = window.Location(L"nrvFocus");
        shown = window.Location(display);
        const int offset = marker.left - shown.right;
        return offset >= std::floor(gap) && offset <= std::ceil(gap) && marker.top == shown.top;
    };
    if (WaitUntil(beside)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "marker at left " << marker.left << ", top " << marker.top << "; " << Utf8(display)
           << " has right " << shown.right << ", top " << shown.top << "; expected the marker "
           << gap << " px right of the display, at the same top";
}

// Field i is the caption lblEti(i) and the display lblP(i).
std::wstring Caption(int field) {
    return L"lblEti(" + std::to_wstring(field) + L")";
}
std::wstring Display(int field) {
    return L"lblP(" + std::to_wstring(field) + L")";
}

// The active field's caption and display are drawn in the highlight colour,
// the other shown ones in the window text colour.
testing::AssertionResult IsActiveField(const ProgramWindow& window, int field) {
    if (testing::AssertionResult marker = MarkerIsBeside(window, Display(field)); !marker) {
        return marker;
    }
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    for (int other : {0, 1, 2, 3}) {
        const bool active = other == field;
        for (const std::wstring& name : {Caption(other), Display(other)}) {
            const std::optional<AccessibleView> control = window.Find(name);
            if (control && !control->Shown()) {
                continue;  // the change row, hidden
            }
            testing::AssertionResult colour = active
                                                  ? window.IsDrawnIn(name, highlight, windowText)
                                                  : window.IsDrawnIn(name, windowText, highlight);
            if (!colour) {
                return colour;
            }
        }
    }
    return testing::AssertionSuccess();
}

// The text of the program's shown tooltip; empty while it shows none.
std::wstring ShownToolTip(DWORD process) {
    for (HWND window : TopLevelWindows()) {
        if (WindowProcess(window) == process && IsWindowVisible(window) &&
            WindowClass(window) == L"tooltips_class32") {
            return WindowText(window);
        }
    }
    return {};
}

// Rests the pointer on a control until the program shows `tip` there.
testing::AssertionResult ShowsToolTipOver(const ProgramUnderTest& app, std::wstring_view control,
                                          std::wstring_view tip) {
    const POINT centre = app.Main().CentreOf(control);
    std::wstring shown;
    if (WaitUntil([&] {
            return KeepPointerAt(centre) && (shown = ShownToolTip(app.ProcessId())) == tip;
        })) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "over " << Utf8(control) << " the tooltip shows \""
                                       << Utf8(shown) << "\", not \"" << Utf8(tip) << "\"";
}

TEST_F(ConverterWindow, IsABorderlessWindowOfItsSizeInTheCentreOfTheScreen) {
    HWND window = app_.MainWindow();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);

    const RECT rect = WindowRect(window);
    const int centreX = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int centreY = GetSystemMetrics(SM_CYSCREEN) / 2;
    EXPECT_NEAR((rect.left + rect.right) / 2, centreX, 1);
    EXPECT_NEAR((rect.top + rect.bottom) / 2, centreY, 1);
}

TEST_F(ConverterWindow, PointerRestingOnAButtonShowsItsTooltip) {
    EXPECT_TRUE(ShowsToolTipOver(app_, L"imaCommand(1)", L"Réduire Alt+R"));
    EXPECT_TRUE(ShowsToolTipOver(app_, L"imaCommand(5)", L"Zone Euro Alt+Z"));
}

TEST_F(ConverterWindow, TabMovesTheHighlightAndTheMarkerToTheEuroPrice) {
    ASSERT_TRUE(IsActiveField(app_.Main(), 0));
    app_.Press({{VK_TAB}});
    ASSERT_TRUE(IsActiveField(app_.Main(), 2));
    app_.Press({{VK_TAB}});
    EXPECT_TRUE(IsActiveField(app_.Main(), 0));
}

// The converted amount follows the user's number format (a comma above).
TEST(UsersNumberFormat, GivesTheDecimalSeparatorOfTheConvertedAmount) {
    ScopedUserSetting separator(kInternational, L"sDecimal", L".");
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForShownMainWindow(), nullptr);
    app.Type(L"100");
    app.Press({{VK_RETURN}});
    EXPECT_TRUE(app.Shows({{L"lblP(0)", L"100"}, {L"lblP(2)", L"15.24"}}));
}

}  // namespace
}  // namespace e2e

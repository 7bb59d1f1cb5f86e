// The euro-zone window: opened over the main window with Alt+Z, it converts
// between the euro and the legacy currencies while the main window waits.
#include <gtest/gtest.h>

#include <ostream>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

class EuroZone : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(app_.WaitForShownMainWindow(), nullptr); }

    testing::AssertionResult Open() {
        app_.Press({WithAlt('Z')});
        zone_ = app_.WaitForWindowWith(L"lblEti(0)");
        if (!zone_) {
            return testing::AssertionFailure() << "Alt+Z opened no euro-zone window";
        }
        return testing::AssertionSuccess();
    }

    testing::AssertionResult IsClosed() const {
        if (WaitUntil([this] { return !zone_.IsShown(); })) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "the euro-zone window is still shown";
    }

    testing::AssertionResult ShowsItsOpeningState() const {
        return zone_.Shows({{L"lblP(0)", L"Franc français"},
                            {L"lblP(1)", L"0"},
                            {L"lblP(2)", L"0"},
                            {L"lblEti(0)", L"prix en"},
                            {L"lblEti(2)", L"prix en euros"}});
    }

    // The program is made for the French number format.
    ScopedUserSetting frenchDecimal_{L"Control Panel\\International", L"sDecimal", L","};
    ProgramUnderTest app_;
    ProgramWindow zone_;
};

TEST_F(EuroZone, OpensActiveOverTheMainWindowWhichTakesNoInput) {
    // Away from the centre of the screen, where the main window starts.
    ASSERT_TRUE(SetWindowPos(app_.MainWindow(), nullptr, 100, 80, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(WaitUntil([this] { return WindowRect(app_.MainWindow()).left == 100; }));
    ASSERT_TRUE(Open());
    EXPECT_EQ(zone_.Owner(), app_.MainWindow());
    EXPECT_TRUE(WaitUntil([this] { return GetForegroundWindow() == zone_.Handle(); }));
    EXPECT_TRUE(IsWindowEnabled(zone_.Handle()));
    EXPECT_FALSE(IsWindowEnabled(app_.MainWindow()));
    EXPECT_TRUE(IsWindowVisible(app_.MainWindow()));

    const RECT over = WindowRect(app_.MainWindow());
    const RECT zone = WindowRect(zone_.Handle());
    EXPECT_EQ(zone.left + zone.right, over.left + over.right) << "not centred over the main window";
    EXPECT_EQ(zone.top + zone.bottom, over.top + over.bottom) << "not centred over the main window";

    EXPECT_TRUE(ShowsItsOpeningState());
    EXPECT_TRUE(zone_.HasTextColour(L"lblP(0)", GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_TRUE(zone_.HasTextColour(L"lblP(2)", GetSysColor(COLOR_WINDOWTEXT)));
}

TEST_F(EuroZone, TenEurosAreFourHundredAndThreeLuxembourgFrancs) {
    ASSERT_TRUE(Open());
    zone_.Press({{VK_RIGHT}});
    ASSERT_TRUE(zone_.Shows({{L"lblP(0)", L"Franc luxembourg."}, {L"lblP(1)", L"0,00"}}));
    zone_.Press({{VK_UP}});  // from the currency name up to the euros
    ASSERT_TRUE(zone_.HasTextColour(L"lblP(2)", GetSysColor(COLOR_HIGHLIGHT)));

    zone_.Type(L"10");
    ASSERT_TRUE(zone_.Shows({{L"lblP(1)", L"0"}, {L"lblP(2)", L"10"}}));
    zone_.Press({{VK_RETURN}});
    EXPECT_TRUE(zone_.Shows(
        {{L"lblP(0)", L"Franc luxembourg."}, {L"lblP(1)", L"403,40"}, {L"lblP(2)", L"10"}}));
}

// The close, about and help buttons sit where the main window has them; the
// main window's icons are coloured, this window's are black glyphs.
TEST_F(EuroZone, ButtonsShowBlackGlyphsWhereTheMainWindowHasColouredIcons) {
    const COLORREF black = RGB(0, 0, 0);
    const struct {
        const wchar_t* mainButton;
        const wchar_t* zoneButton;
        COLORREF mainColour;
    } buttons[] = {{L"imaCommand(0)", L"imaCommand(0)", RGB(0xC4, 0x2B, 0x1C)},   // close
                   {L"imaCommand(3)", L"imaCommand(1)", RGB(0x00, 0x80, 0x8A)},   // about
                   {L"imaCommand(4)", L"imaCommand(2)", RGB(0x1F, 0x5F, 0xAF)}};  // help
    for (const auto& button : buttons) {
        EXPECT_TRUE(app_.IsDrawnIn(button.mainButton, button.mainColour, black));
    }
    ASSERT_TRUE(Open());
    for (const auto& button : buttons) {
        EXPECT_TRUE(zone_.IsDrawnIn(button.zoneButton, black, button.mainColour));
    }
}

// The two ways to close the window.
struct Closing {
    const char* name;
    void (*close)(const ProgramWindow& zone);
};

void PrintTo(const Closing& closing, std::ostream* out) {
    *out << closing.name;
}

class EuroZoneClosing : public EuroZone, public testing::WithParamInterface<Closing> {};

TEST_P(EuroZoneClosing, ClosesOnlyThisWindowAndTheMainWindowTakesKeysAgain) {
    ASSERT_TRUE(Open());
    GetParam().close(zone_);
    ASSERT_TRUE(IsClosed());
    EXPECT_TRUE(IsWindowVisible(app_.MainWindow()));
    EXPECT_FALSE(app_.ExitCode().has_value()) << "the program ended";
    EXPECT_TRUE(WaitUntil([this] { return IsWindowEnabled(app_.MainWindow()) != FALSE; }));
    EXPECT_TRUE(WaitUntil([this] { return GetForegroundWindow() == app_.MainWindow(); }))
        << "the main window did not become active again";

    app_.Type(L"5");
    EXPECT_TRUE(app_.Shows(L"lblP(0)", L"5"));
}

INSTANTIATE_TEST_SUITE_P(
    EuroZone, EuroZoneClosing,
    testing::Values(
        Closing{"AltF4", [](const ProgramWindow& zone) { zone.Press({WithAlt(VK_F4)}); }},
        Closing{"CloseButton", [](const ProgramWindow& zone) { zone.Click(L"imaCommand(0)"); }}),
    [](const testing::TestParamInfo<Closing>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e

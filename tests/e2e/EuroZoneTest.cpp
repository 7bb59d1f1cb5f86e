// The euro-zone window (Alt+Z): its close, about and help buttons sit where
// the main window has them, drawn as black glyphs where the main window's
// icons are coloured.
#include <gtest/gtest.h>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

TEST(EuroZone, ButtonsShowBlackGlyphsWhereTheMainWindowHasColouredIcons) {
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForShownMainWindow(), nullptr);
    const COLORREF black = RGB(0, 0, 0);
    const struct {
        const wchar_t* mainButton;
        const wchar_t* zoneButton;
        COLORREF mainColour;
    } buttons[] = {{L"imaCommand(0)", L"imaCommand(0)", RGB(0xC4, 0x2B, 0x1C)},   // close
                   {L"imaCommand(3)", L"imaCommand(1)", RGB(0x00, 0x80, 0x8A)},   // about
                   {L"imaCommand(4)", L"imaCommand(2)", RGB(0x1F, 0x5F, 0xAF)}};  // help
    for (const auto& button : buttons) {
        EXPECT_TRUE(app.IsDrawnIn(button.mainButton, button.mainColour, black));
    }
    app.Press({WithAlt('Z')});
    const ProgramWindow zone = app.WaitForWindow(WindowKind::kEuroZone);
    ASSERT_TRUE(zone) << "Alt+Z opened no euro-zone window";
    for (const auto& button : buttons) {
        EXPECT_TRUE(zone.IsDrawnIn(button.zoneButton, black, button.mainColour));
    }
}

}  // namespace
}  // namespace e2e

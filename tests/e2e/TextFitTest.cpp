// Every text of every window shows whole, at the size and weight it is made
// in, measured on the screen: the fonts are the system's to choose (Wine
// substitutes a font it lacks), so the texts' ink is read where the screen
// reader says each control is, rather than a font assumed. On the way, the
// options draw their focus frame and write the Startup shortcut through the
// real shell, and the change row they show is drawn as designed.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

constexpr wchar_t kStartWithWindows[] = L"chkDémarrage";
constexpr wchar_t kChangeRow[] = L"chkAppoint";

bool InTextColour(COLORREF pixel) {
    return pixel == GetSysColor(COLOR_WINDOWTEXT) || pixel == GetSysColor(COLOR_HIGHLIGHT) ||
           pixel == GetSysColor(COLOR_BTNTEXT);
}

// The columns and rows of a screen area with pixels in the colours the
// texts are drawn in; none when the screen could not be read.
struct Ink {
    std::vector<bool> columns, rows;

    Ink(const RECT& area, const std::vector<COLORREF>& pixels)
        : columns(pixels.empty() ? 0 : static_cast<size_t>(area.right - area.left)),
          rows(pixels.empty() ? 0 : static_cast<size_t>(area.bottom - area.top)) {
        for (size_t i = 0; i < pixels.size(); ++i) {
            if (InTextColour(pixels[i])) {
                columns[i % columns.size()] = true;
                rows[i / columns.size()] = true;
            }
        }
    }
    bool Any() const { return std::find(rows.begin(), rows.end(), true) != rows.end(); }
    // The rows from the first to the last with ink.
    int Height() const {
        const auto top = std::find(rows.begin(), rows.end(), true);
        const auto bottom = std::find(rows.rbegin(), rows.rend(), true).base();
        return top < bottom ? static_cast<int>(bottom - top) : 0;
    }
};

// Where a text lies in its control, and so where it runs over when it is
// too wide: a label's on the side away from its alignment, a check box's
// caption, which wraps beside the box, at the right or at the top and bottom.
enum class Side { kLeft, kRight, kCentre, kWrapped };

struct TextControl {
    const wchar_t* name;
    Side side;
};

// A cut text reaches the edge it runs over. The text buttons' frame is not
// text.
std::string Misfit(const ProgramWindow& window, const TextControl& control) {
    const std::optional<AccessibleView> view = window.Find(control.name);
    if (!view) {
        return "\n  " + Utf8(control.name) + " is not there";
    }
    if (!view->Shown()) {
        return "";  // the change row, hidden
    }
    RECT area = view->location;
    if (view->role == ROLE_SYSTEM_PUSHBUTTON) {
        InflateRect(&area, -1, -1);
    }
    // The look once the control has painted; a moving one as it is now.
    const std::vector<COLORREF> look = window.SettledLook(area);
    const Ink ink(area, look.empty() ? ScreenPixels(area) : look);
    const bool wrapped = control.side == Side::kWrapped;
    std::string cut;
    if (!ink.Any()) {
        cut = "shows nothing";
    } else if (control.side != Side::kRight && ink.columns.back()) {
        cut = "reaches its right edge";
    } else if ((control.side == Side::kRight || control.side == Side::kCentre) &&
               ink.columns.front()) {
        cut = "reaches its left edge";
    } else if (wrapped && (ink.rows.front() || ink.rows.back())) {
        cut = "reaches its top or bottom";
    }
    return cut.empty() ? cut : "\n  " + Utf8(control.name) + " \"" + Utf8(view->name) + "\" " + cut;
}

testing::AssertionResult ShowsEveryTextWhole(const ProgramWindow& window,
                                             const std::vector<TextControl>& texts) {
    std::string misfits;
    for (const TextControl& text : texts) {
        misfits += Misfit(window, text);
    }
    return testing::AssertionResult(misfits.empty()) << "texts cut:" << misfits;
}

// The widest amounts are wider than their displays: entered into a window
// (`enter`), each shows whole, smaller, its first digit drawn.
void ExpectTheWidestAmountsWhole(const ProgramWindow& window,
                                 const std::vector<std::wstring>& displays,
                                 const std::function<void(const std::wstring&)>& enter) {
    std::vector<std::vector<COLORREF>> looks;
    for (const wchar_t* euros : {L"999999999999999,50", L"899999999999999,50"}) {
        enter(euros);
        EXPECT_TRUE(window.Shows(displays.back(), euros));
        for (const std::wstring& display : displays) {
            EXPECT_EQ(Misfit(window, {display.c_str(), Side::kRight}), "");
            looks.push_back(ScreenPixels(window.Location(display)));
        }
    }
    for (size_t i = 0; i < displays.size(); ++i) {
        EXPECT_TRUE(looks[i] != looks[i + displays.size()])
            << Utf8(displays[i]) << " does not show its first digit";
    }
}

// The Startup shortcut that the options write starts the program hidden.
// Wine's shell reads every show command back as 1, so the file's bytes are
// read for it; and scripts/e2e.sh reads the shortcut again with a reader of
// its own after the tests (target, arguments, icon), from the folder it
// names.
void ExpectTheStartupShortcutToStartTheProgramHidden() {
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(WaitUntil([&] {
        return ReadShortcut(StartupShortcutPath()).has_value() &&
               (bytes = FileBytes(StartupShortcutPath())).size() > 0x3C;
    })) << "no readable "
        << Utf8(StartupShortcutPath());
    EXPECT_EQ(bytes[0x3C], SW_SHOWMINNOACTIVE) << "the show command";
    wchar_t kept[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"CONVALIS_E2E_KEEP", kept, MAX_PATH) != 0) {
        const std::wstring copy = std::wstring(kept) + L"\\startup-shortcut.lnk";
        EXPECT_TRUE(CopyFileW(StartupShortcutPath().c_str(), copy.c_str(), FALSE));
    }
}

// The texts are 8.25 points at the screen's scale, whatever face the system
// gives, not a smaller font's: from the top of the "f" to the bottom of the
// "p" of "prix en francs" is the characters' height. The widest amounts fill the main window with
// its change row, then the euro-zone window, where the widest is in Italian lire, 22 characters;
// the about box opens over it.
TEST(TextsFit, EveryWindowAtTheScalesHeightWithTheOptionsAndTheWidestAmounts) {
    NoStartupShortcut noShortcut;
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    const RECT caption = app.Main().Location(L"lblEti(0)");
    const int height = Ink(caption, app.Main().SettledLook(caption)).Height();
    const int asked = MulDiv(825, ScreenPixelsPerInchX(), 7200);
    EXPECT_GE(height * 10, asked * 9)
        << "the caption is " << height << " pixels high for " << asked;
    std::vector<TextControl> mainTexts;
    for (const wchar_t* name : {L"lblEti(0)", L"lblEti(1)", L"lblEti(2)", L"lblEti(3)", L"lblP(0)",
                                L"lblP(1)", L"lblP(2)", L"lblP(3)"}) {
        mainTexts.push_back({name, Side::kRight});
    }
    EXPECT_TRUE(ShowsEveryTextWhole(app.Main(), mainTexts));
    // The options: the focus frame that Tab moves between the program's own
    // boxes, whose captions are measured without it, and a box that toggles
    // only when the button is let go over it. The pointer stays away from
    // the boxes, which light up under it.
    ASSERT_TRUE(PlacePointer({5, 5}));
    app.Press({WithAlt('O')});
    const ProgramWindow options = app.WaitForWindow(WindowKind::kOptions);
    ASSERT_TRUE(options) << "Alt+O opened no options dialog";
    ASSERT_TRUE(options.HasFocus(kStartWithWindows));
    const RECT box = options.Location(kChangeRow);
    const std::vector<COLORREF> withoutFocus = options.SettledLook(box);
    ASSERT_FALSE(withoutFocus.empty()) << "the options do not finish painting";
    EXPECT_TRUE(ShowsEveryTextWhole(options, {{kChangeRow, Side::kWrapped},
                                              {L"lblAction(0)", Side::kCentre},
                                              {L"lblAction(1)", Side::kCentre}}));
    options.Press({{VK_TAB}});
    ASSERT_TRUE(options.HasFocus(kChangeRow));
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(box) != withoutFocus; }))
        << "the focused box looks as it did without the focus";
    EXPECT_TRUE(ShowsEveryTextWhole(options, {{kStartWithWindows, Side::kWrapped}}));
    options.Press({{VK_TAB, {VK_SHIFT}}});
    ASSERT_TRUE(options.HasFocus(kStartWithWindows));
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(box) == withoutFocus; }))
        << "the box that lost the focus still shows it";
    ASSERT_TRUE(options.PressAndReleaseAlong(kChangeRow, {POINT{20, 700}}));
    ASSERT_TRUE(options.IsChecked(kChangeRow, false));
    for (const wchar_t* name : {kStartWithWindows, kChangeRow}) {
        options.Click(name);
        ASSERT_TRUE(options.IsChecked(name, true));
    }
    options.Press({{VK_RETURN}});
    ExpectTheStartupShortcutToStartTheProgramHidden();

    // The change row shows, its line above the euro caption's top row.
    ASSERT_TRUE(app.Main().IsHidden(L"lblP(3)", false)) << "the change row was not shown";
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    const auto s = ScaledToScreen;
    EXPECT_TRUE(
        app.Main().ShowsColourAt({{s(100), s(88)}, {s(140), s(88)}, {s(170), s(88)}}, windowText))
        << "the line under the payment is not drawn over the euro caption";
    EXPECT_TRUE(ShowsEveryTextWhole(app.Main(), mainTexts));
    // The price in euros typed, the price in francs from it, and the change
    // for a payment of 0 francs (19 characters with the sign).
    ExpectTheWidestAmountsWhole(app.Main(), {L"lblP(0)", L"lblP(3)", L"lblP(2)"},
                                [&](const std::wstring& euros) {
                                    app.Press({{VK_UP}});
                                    app.Type(euros);
                                    app.Press({{VK_RETURN}, {VK_UP}});
                                    app.Type(L"0");
                                    app.Press({{VK_RETURN}, {VK_UP}});
                                    EXPECT_TRUE(app.Shows(L"lblP(3)", L"-" + euros));
                                });

    app.Press({WithAlt('Z')});
    const ProgramWindow zone = app.WaitForWindow(WindowKind::kEuroZone);
    ASSERT_TRUE(zone) << "Alt+Z opened no euro-zone window";
    EXPECT_TRUE(ShowsEveryTextWhole(zone, {{L"lblEti(0)", Side::kLeft},
                                           {L"lblEti(2)", Side::kLeft},
                                           {L"lblP(0)", Side::kRight},
                                           {L"lblP(1)", Side::kRight},
                                           {L"lblP(2)", Side::kRight}}));
    // The longest currency names fill their display: they are whole if
    // they fit, smaller otherwise, as the widest amounts are below.
    zone.Press({{VK_RIGHT}, {VK_RIGHT}, {VK_UP}});
    ASSERT_TRUE(zone.Shows(L"lblP(0)", L"Lire italienne"));
    ExpectTheWidestAmountsWhole(zone, {L"lblP(1)", L"lblP(2)"}, [&](const std::wstring& euros) {
        zone.Type(euros);
        zone.Press({{VK_RETURN}});
        EXPECT_TRUE(WaitUntil([&] { return zone.Text(L"lblP(1)").size() > 20; }))
            << "Enter converted nothing";
    });
    zone.Click(L"imaCommand(1)");
    const ProgramWindow about = app.WaitForWindow(WindowKind::kAbout);
    ASSERT_TRUE(about) << "no about box opened";
    EXPECT_TRUE(ShowsEveryTextWhole(
        about,
        {{L"lblTitle", Side::kCentre}, {L"lblWeb", Side::kCentre}, {L"lblMail", Side::kCentre}}));
}

}  // namespace
}  // namespace e2e

// The options dialog (Alt+O) as the screen and the shell show it: the focus
// frame that Tab moves between its boxes, a box that toggles only when the
// button is let go over it, the Startup shortcut written through the real
// shell, and the change row drawn where it is designed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "ProgramUnderTest.h"
#include "ShellLinks.h"

namespace e2e {
namespace {

constexpr wchar_t kStartWithWindows[] = L"chkDémarrage";
constexpr wchar_t kChangeRow[] = L"chkAppoint";
constexpr unsigned long kShowMinimisedNotActive = 7;  // SW_SHOWMINNOACTIVE

bool SameText(const std::wstring& a, const std::wstring& b) {
    return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

// Whether a shortcut file holds `text` in 16-bit characters.
bool HoldsText(const std::vector<unsigned char>& bytes, std::wstring_view text) {
    std::vector<unsigned char> wide;
    for (wchar_t character : text) {
        wide.push_back(static_cast<unsigned char>(character & 0xFF));
        wide.push_back(static_cast<unsigned char>(character >> 8));
    }
    return std::search(bytes.begin(), bytes.end(), wide.begin(), wide.end()) != bytes.end();
}

// scripts/e2e.sh reads the program's shortcut once more, with a reader of
// its own, after the tests; it names a folder for the copy.
void KeepForTheScript(const std::wstring& file) {
    wchar_t folder[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"CONVALIS_E2E_KEEP", folder, MAX_PATH) != 0) {
        const std::wstring copy = std::wstring(folder) + L"\\startup-shortcut.lnk";
        EXPECT_TRUE(CopyFileW(file.c_str(), copy.c_str(), FALSE)) << "cannot keep " << Utf8(copy);
    }
}

class Options : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(StartupFolder().empty()) << "the shell has no Startup folder";
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr);
    }

    ProgramWindow Open() const {
        app_.Press({WithAlt('O')});
        ProgramWindow dialog = app_.WaitForWindow(WindowKind::kOptions);
        EXPECT_TRUE(dialog) << "Alt+O opened no options dialog";
        return dialog;
    }

    // Clicks both boxes, found as they should be, and confirms with Enter
    // while a box has the focus; waits until the main window has applied
    // the dialog: it takes keys again only after that.
    void ToggleBothAndConfirm(const ProgramWindow& dialog, bool checkedAtOpening) const {
        for (const wchar_t* box : {kStartWithWindows, kChangeRow}) {
            ASSERT_TRUE(dialog.IsChecked(box, checkedAtOpening));
            dialog.Click(box);
            ASSERT_TRUE(dialog.IsChecked(box, !checkedAtOpening));
        }
        dialog.Press({{VK_RETURN}});
        ASSERT_TRUE(WaitUntil([&] { return !dialog.IsShown(); })) << "the dialog is still shown";
        app_.Press({{VK_BACK}});  // does nothing without an entry in progress
        app_.Type(L"9");
        ASSERT_TRUE(app_.Shows(L"lblP(0)", L"9"));
    }

    testing::AssertionResult ChangeRowShown(bool shown) const {
        for (const wchar_t* name :
             {L"lblEti(1)", L"lblP(1)", L"lblEti(3)", L"lblP(3)", L"Line1(1)"}) {
            if (testing::AssertionResult result = app_.Main().IsHidden(name, !shown); !result) {
                return result;
            }
        }
        return testing::AssertionSuccess();
    }

    NoStartupShortcut noShortcut_;
    ProgramUnderTest app_;
};

TEST_F(Options, FocusFrameClickOnABoxTheStartupShortcutAndTheChangeRow) {
    // The pointer away from the boxes, which light up under it.
    ASSERT_TRUE(PlacePointer({5, 5}));
    const ProgramWindow dialog = Open();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog.HasFocus(kStartWithWindows));
    const RECT box = dialog.Location(kChangeRow);
    const std::vector<COLORREF> withoutFocus = dialog.SettledLook(box);
    ASSERT_FALSE(withoutFocus.empty()) << "the dialog does not finish painting";
    dialog.Press({{VK_TAB}});
    ASSERT_TRUE(dialog.HasFocus(kChangeRow));
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(box) != withoutFocus; }))
        << "the focused box looks as it did without the focus";
    dialog.Press({{VK_TAB, {VK_SHIFT}}});
    ASSERT_TRUE(dialog.HasFocus(kStartWithWindows));
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(box) == withoutFocus; }))
        << "the box that lost the focus still shows it";
    // A press let go away from the box leaves it as it was.
    ASSERT_TRUE(dialog.PressAndReleaseAlong(kChangeRow, {POINT{20, 700}}));
    ASSERT_TRUE(dialog.IsChecked(kChangeRow, false));
    ToggleBothAndConfirm(dialog, false);

    // The shortcut starts the program hidden; Wine's shell reads every show
    // command back as 1, so the file's bytes are read for it.
    const std::optional<Shortcut> shortcut = ReadShortcut(StartupShortcutPath());
    ASSERT_TRUE(shortcut.has_value()) << "no readable " << Utf8(StartupShortcutPath());
    EXPECT_TRUE(SameText(shortcut->target, ProgramUnderTest::Executable()))
        << Utf8(shortcut->target);
    EXPECT_EQ(shortcut->arguments, L"/Hidden");
    EXPECT_TRUE(SameText(shortcut->iconFile, ProgramUnderTest::Executable()))
        << Utf8(shortcut->iconFile);
    EXPECT_EQ(shortcut->iconIndex, 0);
    const std::vector<unsigned char> bytes = FileBytes(StartupShortcutPath());
    EXPECT_EQ(NumberAt(bytes, kHeaderSizeOffset), kHeaderSize);
    EXPECT_EQ(NumberAt(bytes, kShowCommandOffset), kShowMinimisedNotActive);
    EXPECT_TRUE(HoldsText(bytes, L"/Hidden")) << "the arguments are not in the file";
    KeepForTheScript(StartupShortcutPath());

    // The row shows its captions and amounts as designed, its line above
    // the euro caption's top row, and takes part in the entry.
    ASSERT_TRUE(ChangeRowShown(true));
    EXPECT_TRUE(app_.Main().Shows({{L"lblEti(1)", L"payé (en francs)"},
                                   {L"lblP(1)", L"0"},
                                   {L"lblEti(3)", L"appoint (en euros)"},
                                   {L"lblP(3)", L"0"}}));
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_TRUE(app_.Main().IsDrawnIn(L"lblEti(3)", windowText, highlight));
    const auto s = ScaledToScreen;
    EXPECT_TRUE(
        app_.Main().ShowsColourAt({{s(100), s(88)}, {s(140), s(88)}, {s(170), s(88)}}, windowText))
        << "the line under the payment is not drawn over the euro caption";
    // The 9 francs typed on closing are 1,37 euros.
    app_.Press({{VK_TAB}});
    ASSERT_TRUE(app_.Shows(L"lblP(2)", L"1,37"));
    EXPECT_TRUE(app_.Main().IsDrawnIn(L"lblP(1)", highlight, windowText))
        << "Tab did not reach the payment";

    // Unticked, the shortcut and the row go.
    ToggleBothAndConfirm(Open(), true);
    EXPECT_TRUE(WaitUntil([] { return !FileExists(StartupShortcutPath()); }))
        << "the shortcut is still there";
    EXPECT_TRUE(ChangeRowShown(false));
}

}  // namespace
}  // namespace e2e

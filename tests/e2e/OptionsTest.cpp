// The options dialog (Alt+O): start with Windows through "Convalis.lnk" in
// the Startup folder, and the row for the amount paid and the change. "OK"
// (or Enter) applies the boxes; Escape changes nothing.
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

// Whether a shortcut file holds `text`, in 16-bit or in 8-bit characters.
bool HoldsText(const std::vector<unsigned char>& bytes, std::wstring_view text) {
    std::vector<unsigned char> wide;
    std::vector<unsigned char> narrow;
    for (wchar_t character : text) {
        wide.push_back(static_cast<unsigned char>(character & 0xFF));
        wide.push_back(static_cast<unsigned char>(character >> 8));
        narrow.push_back(static_cast<unsigned char>(character));
    }
    const auto holds = [&](const std::vector<unsigned char>& part) {
        return std::search(bytes.begin(), bytes.end(), part.begin(), part.end()) != bytes.end();
    };
    return holds(wide) || holds(narrow);
}

// scripts/e2e.sh reads the program's shortcut once more, with a reader of
// its own, after the tests; it names a folder for the copy.
void KeepForTheScript(const std::wstring& file, const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"CONVALIS_E2E_KEEP", folder, MAX_PATH) == 0) {
        return;
    }
    const std::wstring copy = std::wstring(folder) + L"\\" + name;
    EXPECT_TRUE(CopyFileW(file.c_str(), copy.c_str(), FALSE)) << "cannot keep " << Utf8(copy);
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

    // Waits until the dialog has gone and the main window has applied it:
    // the main window takes keys again only after that.
    testing::AssertionResult ClosedAndApplied(const ProgramWindow& dialog) const {
        if (!WaitUntil([&] { return !dialog.IsShown(); })) {
            return testing::AssertionFailure() << "the options dialog is still shown";
        }
        app_.Press({{VK_BACK}});  // does nothing without an entry in progress
        app_.Type(L"9");
        return app_.Shows(L"lblP(0)", L"9");
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

    // Opens the dialog, finds `box` as it should be, clicks it and confirms.
    void ToggleAndConfirm(const wchar_t* box, bool checkedAtOpening) const {
        ProgramWindow dialog = Open();
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(dialog.IsChecked(box, checkedAtOpening));
        // A press let go away from the box leaves it as it was.
        ASSERT_TRUE(dialog.PressAndReleaseAlong(box, {POINT{20, 700}}));
        ASSERT_TRUE(dialog.IsChecked(box, checkedAtOpening));
        dialog.Click(box);
        ASSERT_TRUE(dialog.IsChecked(box, !checkedAtOpening));
        dialog.Press({{VK_RETURN}});  // also while the box has the focus
        ASSERT_TRUE(ClosedAndApplied(dialog));
    }

    NoStartupShortcut noShortcut_;
    // The program is made for the French number format.
    ScopedUserSetting frenchDecimal_{L"Control Panel\\International", L"sDecimal", L","};
    ProgramUnderTest app_;
};

// Ticked, the box writes the shortcut; the dialog shows it ticked when
// opened again, and unticked, the shortcut goes.
TEST_F(Options, StartWithWindowsWritesAShortcutThatStartsTheProgramHiddenAndUntickingDeletesIt) {
    ToggleAndConfirm(kStartWithWindows, false);
    ASSERT_TRUE(WaitUntil([] { return FileExists(StartupShortcutPath()); }))
        << "no " << Utf8(StartupShortcutPath());

    const std::optional<Shortcut> shortcut = ReadShortcut(StartupShortcutPath());
    ASSERT_TRUE(shortcut.has_value()) << "the shell cannot read the shortcut";
    const std::wstring program = ProgramUnderTest::Folder() + L"\\Convalis.exe";
    EXPECT_TRUE(SameText(shortcut->target, program)) << Utf8(shortcut->target);
    EXPECT_EQ(shortcut->arguments, L"/Hidden");
    EXPECT_TRUE(SameText(shortcut->iconFile, program)) << Utf8(shortcut->iconFile);
    EXPECT_EQ(shortcut->iconIndex, 0);
    EXPECT_EQ(shortcut->workingDirectory, L"");
    EXPECT_EQ(shortcut->description, L"");
    EXPECT_EQ(shortcut->hotKey, 0);

    // Wine's shell reads every show command back as 1; the file has it.
    const std::vector<unsigned char> bytes = FileBytes(StartupShortcutPath());
    EXPECT_EQ(NumberAt(bytes, kHeaderSizeOffset), kHeaderSize);
    EXPECT_EQ(NumberAt(bytes, kShowCommandOffset), kShowMinimisedNotActive);
    EXPECT_TRUE(HoldsText(bytes, L"/Hidden")) << "the arguments are not in the file";
    KeepForTheScript(StartupShortcutPath(), L"startup-shortcut.lnk");

    ToggleAndConfirm(kStartWithWindows, true);
    EXPECT_TRUE(WaitUntil([] { return !FileExists(StartupShortcutPath()); }))
        << "the shortcut is still there";
}

TEST_F(Options, TabMovesTheFocusRectangleBetweenTheBoxes) {
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
    dialog.Press({WithShift(VK_TAB)});
    ASSERT_TRUE(dialog.HasFocus(kStartWithWindows));
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(box) == withoutFocus; }))
        << "the box that lost the focus still shows it";
    dialog.Press({{VK_ESCAPE}});
    EXPECT_TRUE(ClosedAndApplied(dialog));
}

// The row is hidden after the changeover. Ticked, the row shows its
// captions and amounts as designed, its line above the euro caption's top
// row, and takes part in the entry; unticked, it goes again.
TEST_F(Options, TickingTheChangeRowShowsItAsDesignedAndUntickingHidesIt) {
    ToggleAndConfirm(kChangeRow, false);
    ASSERT_TRUE(ChangeRowShown(true));
    EXPECT_TRUE(app_.Shows({{L"lblEti(1)", L"payé (en francs)"},
                            {L"lblP(1)", L"0"},
                            {L"lblEti(3)", L"appoint (en euros)"},
                            {L"lblP(3)", L"0"}}));
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_TRUE(app_.IsDrawnIn(L"lblEti(3)", windowText, highlight));
    const auto s = ScaledToScreen;
    EXPECT_TRUE(
        app_.Main().ShowsColourAt({{s(100), s(88)}, {s(140), s(88)}, {s(170), s(88)}}, windowText))
        << "the line under the payment is not drawn over the euro caption";

    // The 9 francs typed on closing are 1,37 euros.
    app_.Press({{VK_TAB}});
    ASSERT_TRUE(app_.Shows(L"lblP(2)", L"1,37"));
    EXPECT_TRUE(app_.IsDrawnIn(L"lblP(1)", highlight, windowText))
        << "Tab did not reach the payment";

    ToggleAndConfirm(kChangeRow, true);
    EXPECT_TRUE(ChangeRowShown(false));
}

}  // namespace
}  // namespace e2e

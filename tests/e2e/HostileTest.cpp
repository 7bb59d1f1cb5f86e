// Hostile conditions: a program folder with a long name in any letters, a
// Startup folder that is missing or holds what the program did not write,
// keys typed faster than the program takes them and many starts at once.
// Each checks what the user sees and that nothing is lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include <windows.h>

#include <shlobj.h>

#include "NotificationArea.h"
#include "ProgramUnderTest.h"

namespace e2e {
namespace {

constexpr wchar_t kStartWithWindows[] = L"chkDémarrage";

// Opens the options (Alt+O), finds the Startup box `checked`, ticks it if
// asked and closes them with Enter or Escape; then waits until the main
// window takes keys again, that is until it has applied them.
testing::AssertionResult PassThroughOptions(const ProgramUnderTest& app, bool checked, bool tick,
                                            WORD key) {
    app.Press({WithAlt('O')});
    const ProgramWindow dialog = app.WaitForWindow(WindowKind::kOptions);
    if (!dialog) {
        return testing::AssertionFailure() << "Alt+O opened no options dialog";
    }
    if (auto found = dialog.IsChecked(kStartWithWindows, checked); !found) {
        return found;
    }
    if (tick) {
        dialog.Click(kStartWithWindows);
        if (auto ticked = dialog.IsChecked(kStartWithWindows, true); !ticked) {
            return ticked;
        }
    }
    dialog.Press({{key}});
    if (!WaitUntil([&] { return !dialog.IsShown(); })) {
        return testing::AssertionFailure() << "the options are still shown";
    }
    app.Press({{VK_ESCAPE}});
    app.Type(L"7");
    return app.Shows(L"lblP(0)", L"7");
}

// ---------------------------------------------------------------------------
// A program folder whose path is over 200 characters long, with blanks and
// accented letters: the help and the Startup shortcut name that folder.

// In the temporary folder.
std::wstring LongFolder(const std::wstring& letters) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = temp + (L"Caisse " + letters + L" ");
    while (folder.size() < 210) {
        folder += L"comptoir ";
    }
    return folder + L"fin";
}

struct FolderLetters {
    const char* name;
    const wchar_t* letters;
    // Wine 8 hands the help viewer the help file's name, and keeps a
    // shortcut's target, in the ANSI code page: letters outside it come
    // back as "?" (the icon's file, kept as a text, comes back whole). The
    // program gives such a target by its short name.
    bool ansi;
};

// The long name of a path that may be given by its short name.
std::wstring LongPath(const std::wstring& path) {
    wchar_t name[MAX_PATH] = {};
    return GetLongPathNameW(path.c_str(), name, MAX_PATH) > 0 ? name : path;
}

// The program copied alone, without its help: F1 has the viewer ask for
// the help file by its whole name, once for the one press.
class LongProgramFolder : public testing::TestWithParam<FolderLetters> {
protected:
    void SetUp() override { EndHelpViewers(); }
    // An unanswered question blocks the program; end the viewer first.
    void TearDown() override { EndHelpViewers(); }

    NoStartupShortcut noShortcut_;
    ProgramCopy copy_{LongFolder(GetParam().letters)};
    ProgramUnderTest app_;
};

TEST_P(LongProgramFolder, F1AndTheStartupShortcutNameThatFolder) {
    ASSERT_TRUE(copy_.copied) << "cannot copy the program to " << Utf8(copy_.folder);
    const std::wstring program = ProgramUnderTest::Executable();
    ASSERT_GT(program.size(), 200u);
    ASSERT_NE(app_.WaitForMainWindow(), nullptr) << "the program did not start";
    if (GetParam().ansi) {
        app_.Press({{VK_F1}});
        HWND question = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (question = FindHelpViewer(true)) != nullptr; }))
            << "the help viewer did not ask for the help file";
        const std::wstring asked = WindowText(question);
        EXPECT_TRUE(ContainsNoCase(asked, copy_.folder + L"\\Convalis.hlp")) << Utf8(asked);
        PostMessageW(GetDlgItem(question, IDNO), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
        // While the program waits for the viewer it takes no key, and keys
        // come in order: once the options' keys are handled, a second
        // request for the one press would show its question.
    }
    ASSERT_TRUE(PassThroughOptions(app_, false, true, VK_RETURN));
    EXPECT_EQ(FindHelpViewer(true), nullptr) << "help was requested again";

    const std::optional<Shortcut> shortcut = ReadShortcut(StartupShortcutPath());
    ASSERT_TRUE(shortcut.has_value()) << "no readable " << Utf8(StartupShortcutPath());
    EXPECT_EQ(Utf8(GetParam().ansi ? shortcut->target : LongPath(shortcut->target)), Utf8(program));
    EXPECT_EQ(Utf8(shortcut->iconFile), Utf8(program));
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, LongProgramFolder,
    testing::Values(FolderLetters{"AnsiAccents", L"é à Noël çà", true},
                    FolderLetters{"LettersOutsideTheAnsiCodePage", L"Győr ő Я Москва", false}),
    [](const testing::TestParamInfo<FolderLetters>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// The Startup folder as the program may find it. The options show the box
// ticked only where a readable shortcut lies; confirming it ticked leaves a
// readable shortcut exactly when the reopened options say so; the program
// goes on; and nothing else in the folder changes.

void WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(file.good()) << "cannot write " << Utf8(path);
}

// What the test puts in the Startup folder (the folder and the shortcut's
// path), and takes away afterwards.
using FolderChange = void (*)(const std::wstring& folder, const std::wstring& shortcut);
const struct {
    const char* name;
    FolderChange make;
    FolderChange undo;
} kStartupFolderStates[] = {
    {"missing",
     [](const std::wstring& folder, const std::wstring&) {
         MoveFileW(folder.c_str(), (folder + L" (aside)").c_str());
     },
     // The program may have made the folder anew: its shortcut goes with it.
     [](const std::wstring& folder, const std::wstring& shortcut) {
         DeleteFileW(shortcut.c_str());
         RemoveDirectoryW(folder.c_str());
         MoveFileW((folder + L" (aside)").c_str(), folder.c_str());
     }},
    // A shortcut's size and class, then bytes that make no shortcut. The
    // program reads whatever file it finds through the shell, so one unreadable
    // file stands for an empty or an oversized one too.
    {"corrupt shortcut",
     [](const std::wstring&, const std::wstring& shortcut) {
         std::vector<unsigned char> bytes = {0x4C, 0, 0,    0, 1, 0x14, 2, 0, 0, 0,
                                             0,    0, 0xC0, 0, 0, 0,    0, 0, 0, 0x46};
         std::mt19937 random(15);
         for (int i = 0; i < 56; ++i) {
             bytes.push_back(static_cast<unsigned char>(random()));
         }
         WriteBytes(shortcut, bytes);
     },
     nullptr},
    {"folder named Convalis.lnk",
     [](const std::wstring&, const std::wstring& shortcut) {
         CreateDirectoryW(shortcut.c_str(), nullptr);
         WriteBytes(shortcut + L"\\inside.txt", {'k', 'e', 'e', 'p'});
     },
     [](const std::wstring&, const std::wstring& shortcut) {
         DeleteFileW((shortcut + L"\\inside.txt").c_str());
         RemoveDirectoryW(shortcut.c_str());
     }}};

// One run of the program meets each state in turn: the folder is read when
// the options open.
TEST(HostileStartupFolder, OptionsShowWhatIsReadableAndConfirmingClaimsNothingUnwritten) {
    const std::wstring folder = ShellFolder(CSIDL_STARTUP);
    ASSERT_FALSE(folder.empty()) << "the shell has no Startup folder";
    // A file of someone else's in the Startup folder, which must stay as it was.
    const std::vector<unsigned char> bystanderBytes = {'n', 'o', 't', ' ', 'y', 'o', 'u', 'r', 's'};
    const std::wstring bystander = folder + L"\\Autre programme.lnk";
    WriteBytes(bystander, bystanderBytes);
    NoStartupShortcut noShortcut;
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    for (const auto& state : kStartupFolderStates) {
        SCOPED_TRACE(state.name);
        state.make(folder, StartupShortcutPath());
        ASSERT_TRUE(PassThroughOptions(app, false, true, VK_RETURN)) << "nothing readable is there";
        const bool written = ReadShortcut(StartupShortcutPath()).has_value();
        ASSERT_TRUE(PassThroughOptions(app, written, false, VK_ESCAPE))
            << (written ? "a shortcut was written but is not shown"
                        : "shown as starting with Windows, but no shortcut was written");
        if (state.undo != nullptr) {
            state.undo(folder, StartupShortcutPath());
        }
        DeleteFileW(StartupShortcutPath().c_str());
        EXPECT_EQ(FileBytes(bystander), bystanderBytes)
            << "another file of the Startup folder changed";
    }
    DeleteFileW(bystander.c_str());
}

// ---------------------------------------------------------------------------
// Keys as fast as the driver can send them.

// A thousand digits each taken back with Backspace between a first and a
// last digit: a key lost or doubled anywhere leaves another amount.
TEST(FastKeys, TwoThousandKeysAreNeitherLostNorDoubled) {
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    std::vector<Keystroke> keys = {{'1'}};
    for (int i = 0; i < 1000; ++i) {
        keys.insert(keys.end(), {Keystroke(static_cast<WORD>('0' + i % 10)), {VK_BACK}});
    }
    // Enter after the last digit: the euro price shows once all are in.
    keys.insert(keys.end(), {{'2'}, {VK_RETURN}});
    ASSERT_TRUE(BringToForeground(app.MainWindow()));
    SendKeystrokes(keys);
    // On a busy machine the program may take longer than one wait to work
    // through the keys: the wait goes on while the amount still changes.
    const auto converted = [&] { return app.Main().Text(L"lblP(2)") != L"0"; };
    while (!converted()) {
        const std::wstring shown = app.Main().Text(L"lblP(0)");
        if (!WaitUntil([&] { return converted() || app.Main().Text(L"lblP(0)") != shown; })) {
            break;  // nothing moved for a whole wait
        }
    }
    EXPECT_TRUE(converted()) << "the keys stopped at " << Utf8(app.Main().Text(L"lblP(0)"));
    EXPECT_TRUE(app.Shows(L"lblP(0)", L"12"));
}

// ---------------------------------------------------------------------------
// Twenty hidden starts at once: one program remains, hidden, with one icon,
// which goes with the program. (A double click on an icon brings its window
// back: the shell-loss test's.)

TEST(ManyStarts, TwentyAtOnceLeaveOneProgramWithOneIconThatGoesWithIt) {
    std::vector<std::unique_ptr<ProgramUnderTest>> starts;
    for (int i = 0; i < 20; ++i) {
        starts.push_back(std::make_unique<ProgramUnderTest>(L"/Hidden"));
    }
    std::vector<ProgramUnderTest*> running;
    ASSERT_TRUE(WaitUntil([&] {
        running.clear();
        for (const auto& start : starts) {
            if (!start->WaitForExit({})) {
                running.push_back(start.get());
            }
        }
        return running.size() <= 1 && (running.empty() || running[0]->FindMainWindow());
    })) << running.size()
        << " instances still run";
    ASSERT_EQ(running.size(), 1u) << "every instance ended";
    ProgramUnderTest& survivor = *running[0];
    ASSERT_NE(survivor.WaitForMainWindow(ProgramUnderTest::Start::kHidden), nullptr);

    ASSERT_TRUE(WaitForNotificationIcon()) << "no icon in the notification area";
    EXPECT_EQ(NotificationIcons().size(), 1u);
    EXPECT_FALSE(IsWindowVisible(survivor.MainWindow()));
    PostMessageW(survivor.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(survivor.WaitForExit()) << "the program still runs after WM_CLOSE";
    EXPECT_EQ(survivor.ExitCode(), 0u);
    EXPECT_TRUE(WaitUntilNoNotificationIcon()) << "the icon stayed after the program ended";
}

}  // namespace
}  // namespace e2e

// Hostile conditions: a program folder with a long name in any letters, a
// Startup folder that is missing or holds what the program did not write,
// keys typed faster than the program takes them and many starts at once.
// Each checks what the user sees and that nothing is lost.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "HelpViewer.h"
#include "NotificationArea.h"
#include "ProgramUnderTest.h"
#include "ShellLinks.h"

namespace e2e {
namespace {

constexpr wchar_t kStartWithWindows[] = L"chkDémarrage";
constexpr wchar_t kChangeRow[] = L"chkAppoint";

// The program's amounts use the French number format.
class FrenchNumbers {
    ScopedUserSetting decimal_{L"Control Panel\\International", L"sDecimal", L","};
};

ProgramWindow OpenOptions(const ProgramUnderTest& app) {
    app.Press({WithAlt('O')});
    return app.WaitForWindow(WindowKind::kOptions);
}

// Closes the options with Enter (confirmed) or Escape, and waits until the
// main window takes keys again, that is until it has applied them.
testing::AssertionResult CloseOptions(const ProgramUnderTest& app, const ProgramWindow& dialog,
                                      WORD key) {
    dialog.Press({{key}});
    if (!WaitUntil([&] { return !dialog.IsShown(); })) {
        return testing::AssertionFailure() << "the options dialog is still shown";
    }
    app.Press({{VK_ESCAPE}});
    app.Type(L"7");
    return app.Shows(L"lblP(0)", L"7");
}

// ---------------------------------------------------------------------------
// A program folder whose path is over 200 characters long, with blanks and
// accented letters: the help and the Startup shortcut name that folder.

std::wstring LongFolderName(const std::wstring& letters) {
    wchar_t temp[MAX_PATH] = {};
    const size_t tempLength = GetTempPathW(MAX_PATH, temp);
    std::wstring name = L"Caisse " + letters + L" ";
    while (tempLength + name.size() < 210) {
        name += L"comptoir ";
    }
    return name + L"fin";
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

class LongProgramFolder : public testing::TestWithParam<FolderLetters> {
protected:
    void SetUp() override {
        EndHelpViewers();
        ASSERT_TRUE(copy_.Copied()) << "cannot copy the program to " << Utf8(copy_.Folder());
        ASSERT_GT(ProgramUnderTest::Executable().size(), 200u);
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr) << "the program did not start";
    }
    void TearDown() override { EndHelpViewers(); }

    NoStartupShortcut noShortcut_;
    FrenchNumbers french_;
    ProgramCopy copy_{LongFolderName(GetParam().letters), {L"Convalis.hlp"}};
    ProgramUnderTest app_;
};

TEST_P(LongProgramFolder, F1NamesTheHelpFileThere) {
    if (!GetParam().ansi) {
        GTEST_SKIP() << "Wine's help viewer is handed the name in the ANSI code page";
    }
    const std::wstring helpFile = copy_.Folder() + L"\\Convalis.hlp";
    app_.Press({{VK_F1}});
    std::optional<MessageBoxSeen> question;
    HWND viewer = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        viewer = FindHelpViewer();
        return (viewer != nullptr && ContainsNoCase(HelpViewerText(viewer), kHelpTitle)) ||
               (question = HelpViewerMessage()).has_value();
    })) << "F1 opened neither the help nor a question";
    if (question) {
        // The viewer could not open the file: it must at least be asked for
        // the one in the program's folder.
        EXPECT_TRUE(ContainsNoCase(question->message, helpFile))
            << "the viewer was asked for another file:\n"
            << Utf8(question->message);
        PressMessageBoxButton(question->window, IDNO);
    }
}

TEST_P(LongProgramFolder, TheStartupShortcutWrittenFromThereLeadsBackToIt) {
    ProgramWindow dialog = OpenOptions(app_);
    ASSERT_TRUE(dialog) << "Alt+O opened no options dialog";
    ASSERT_TRUE(dialog.IsChecked(kStartWithWindows, false));
    dialog.Click(kStartWithWindows);
    ASSERT_TRUE(dialog.IsChecked(kStartWithWindows, true));
    ASSERT_TRUE(CloseOptions(app_, dialog, VK_RETURN));

    const std::optional<Shortcut> shortcut = ReadShortcut(StartupShortcutPath());
    ASSERT_TRUE(shortcut.has_value()) << "no readable " << Utf8(StartupShortcutPath());
    if (GetParam().ansi) {
        EXPECT_EQ(Utf8(shortcut->target), Utf8(ProgramUnderTest::Executable()));
    } else {
        EXPECT_TRUE(SameFile(shortcut->target, ProgramUnderTest::Executable()))
            << "the shortcut leads to " << Utf8(shortcut->target);
    }
    EXPECT_EQ(Utf8(shortcut->iconFile), Utf8(ProgramUnderTest::Executable()));
    EXPECT_EQ(Utf8(shortcut->arguments), "/Hidden");
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
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_NE(file.get(), INVALID_HANDLE_VALUE) << "cannot write " << Utf8(path);
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// What a test puts in the Startup folder, and takes away afterwards.
struct StartupFolderState {
    const char* name;
    void (*make)(const std::wstring& folder);
    void (*undo)(const std::wstring& folder);
};

std::wstring ShortcutIn(const std::wstring& folder) {
    return folder + L"\\Convalis.lnk";
}

// The start of a shortcut file's header: its size and its class.
std::vector<unsigned char> ShortcutHeaderStart() {
    return {0x4C, 0, 0, 0, 0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
}

void Nothing(const std::wstring&) {}

void ZeroBytes(const std::wstring& folder) {
    WriteBytes(ShortcutIn(folder), {});
}

// A shortcut's header, then bytes that make no shortcut.
void Corrupt(const std::wstring& folder) {
    std::vector<unsigned char> bytes = ShortcutHeaderStart();
    bytes.insert(bytes.end(), 4, 0xFF);
    std::mt19937 random(15);
    for (int i = 0; i < 300; ++i) {
        bytes.push_back(static_cast<unsigned char>(random()));
    }
    WriteBytes(ShortcutIn(folder), bytes);
}

// A shortcut's header with no target, then 100 MB of nothing (a sparse
// file): larger than any shortcut, which the shell would read whole.
void OversizedShortcut(const std::wstring& folder) {
    std::vector<unsigned char> header = ShortcutHeaderStart();
    header.resize(0x4C);
    header[0x3C] = 1;  // a normal window
    WriteBytes(ShortcutIn(folder), header);
    UniqueHandle file(CreateFileW(ShortcutIn(folder).c_str(), GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    size.QuadPart = 100LL * 1024 * 1024;
    EXPECT_TRUE(SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) &&
                SetEndOfFile(file.get()));
}

void FolderNamedLikeTheShortcut(const std::wstring& folder) {
    CreateDirectoryW(ShortcutIn(folder).c_str(), nullptr);
    WriteBytes(ShortcutIn(folder) + L"\\inside.txt", {'k', 'e', 'e', 'p'});
}
void RemoveFolderNamedLikeTheShortcut(const std::wstring& folder) {
    DeleteFileW((ShortcutIn(folder) + L"\\inside.txt").c_str());
    RemoveDirectoryW(ShortcutIn(folder).c_str());
}

void ReadOnly(const std::wstring& folder) {
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_READONLY);
}
void Writable(const std::wstring& folder) {
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
}

std::wstring AsideName(const std::wstring& folder) {
    return folder + L" (aside)";
}
void Missing(const std::wstring& folder) {
    MoveFileW(folder.c_str(), AsideName(folder).c_str());
}
void BackInPlace(const std::wstring& folder) {
    // The program may have made the folder anew: its shortcut goes with it.
    DeleteFileW(ShortcutIn(folder).c_str());
    RemoveDirectoryW(folder.c_str());
    MoveFileW(AsideName(folder).c_str(), folder.c_str());
}

class HostileStartupFolder : public testing::TestWithParam<StartupFolderState> {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder_.empty()) << "the shell has no Startup folder";
        WriteBytes(bystander_, kBystanderBytes);
        GetParam().make(folder_);
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr);
    }
    void TearDown() override {
        app_.Close();
        GetParam().undo(folder_);
        EXPECT_EQ(FileBytes(bystander_), kBystanderBytes)
            << "another file of the Startup folder changed";
        DeleteFileW(bystander_.c_str());
    }

    // A file of someone else's in the Startup folder, which must stay as it was.
    const std::vector<unsigned char> kBystanderBytes = {'n', 'o', 't', ' ', 'y', 'o',
                                                        'u', 'r', 's', 0,   1};
    const std::wstring folder_ = StartupFolder();
    const std::wstring bystander_ = folder_ + L"\\Autre programme.lnk";
    NoStartupShortcut noShortcut_;
    FrenchNumbers french_;
    ProgramUnderTest app_;
};

TEST_P(HostileStartupFolder, OptionsShowWhatIsReadableAndConfirmingClaimsNothingUnwritten) {
    ProgramWindow dialog = OpenOptions(app_);
    ASSERT_TRUE(dialog) << "Alt+O opened no options dialog";
    ASSERT_TRUE(dialog.IsChecked(kStartWithWindows, false)) << "nothing readable is there";
    dialog.Click(kStartWithWindows);
    ASSERT_TRUE(dialog.IsChecked(kStartWithWindows, true));
    ASSERT_TRUE(CloseOptions(app_, dialog, VK_RETURN)) << "the program did not go on";

    const bool written = ReadShortcut(StartupShortcutPath()).has_value();
    dialog = OpenOptions(app_);
    ASSERT_TRUE(dialog) << "the options do not open again";
    EXPECT_TRUE(dialog.IsChecked(kStartWithWindows, written))
        << (written ? "a shortcut was written but is not shown"
                    : "shown as starting with Windows, but no shortcut was written");
    ASSERT_TRUE(CloseOptions(app_, dialog, VK_ESCAPE));
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, HostileStartupFolder,
    testing::Values(StartupFolderState{"ReadOnly", ReadOnly, Writable},
                    StartupFolderState{"Missing", Missing, BackInPlace},
                    StartupFolderState{"ZeroByteShortcut", ZeroBytes, Nothing},
                    StartupFolderState{"CorruptShortcut", Corrupt, Nothing},
                    StartupFolderState{"OversizedShortcut", OversizedShortcut, Nothing},
                    StartupFolderState{"FolderNamedConvalisLnk", FolderNamedLikeTheShortcut,
                                       RemoveFolderNamedLikeTheShortcut}),
    [](const testing::TestParamInfo<StartupFolderState>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// Keys as fast as the driver can send them.

// What the price display shows after typing `keys` (digits and Backspace)
// into it from the start: the program's entry rules for these keys, with
// at most 15 digits.
std::wstring TypedAmount(const std::vector<Keystroke>& keys) {
    std::wstring shown = L"0";
    for (const Keystroke& key : keys) {
        if (key.key == VK_BACK) {
            shown.pop_back();
            if (shown.empty()) {
                shown = L"0";
            }
        } else if (shown.size() >= 15) {
            continue;
        } else if (shown == L"0") {
            shown = std::wstring(1, static_cast<wchar_t>(key.key));
        } else {
            shown += static_cast<wchar_t>(key.key);
        }
    }
    return shown;
}

TEST(FastKeys, TwoThousandKeysAreNeitherLostNorDoubled) {
    FrenchNumbers french;
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForShownMainWindow(), nullptr);
    std::mt19937 random(2000);
    std::vector<Keystroke> keys = {{'1'}};  // starts the entry
    while (keys.size() < 2000) {
        const unsigned draw = random() % 6;
        keys.push_back(draw == 0 ? Keystroke(VK_BACK)
                                 : Keystroke(static_cast<WORD>('0' + random() % 10)));
    }
    const std::wstring expected = TypedAmount(keys);
    // Enter comes after every digit: the euro price shows once all are in.
    keys.push_back({VK_RETURN});

    ASSERT_TRUE(BringToForeground(app.MainWindow()));
    SendKeystrokes(keys);
    // On a busy machine the program may take longer than one wait to work
    // through the keys: the wait goes on while the amount still changes.
    const auto converted = [&] { return app.Text(L"lblP(2)") != L"0"; };
    while (!converted()) {
        const std::wstring shown = app.Text(L"lblP(0)");
        if (!WaitUntil([&] { return converted() || app.Text(L"lblP(0)") != shown; })) {
            break;  // nothing moved for a whole wait
        }
    }
    EXPECT_TRUE(converted()) << "the keys stopped at " << Utf8(app.Text(L"lblP(0)"));
    EXPECT_TRUE(app.Shows(L"lblP(0)", expected));
}

// ---------------------------------------------------------------------------
// Twenty starts at once: one program remains, with one icon.

TEST(ManyStarts, TwentyAtOnceLeaveOneProgramWithOneIcon) {
    FrenchNumbers french;
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
    ASSERT_NE(survivor.WaitForMainWindow(), nullptr);

    const std::optional<RECT> icon = WaitForNotificationIcon();
    ASSERT_TRUE(icon.has_value()) << "no icon in the notification area";
    EXPECT_EQ(NotificationIconCount(), 1);
    ASSERT_TRUE(SendDoubleClick(Centre(*icon)));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(survivor.MainWindow()) != FALSE; }))
        << "the icon does not bring the remaining window back";
}

}  // namespace
}  // namespace e2e

// The about box: the publisher's addresses open through the shell, as links
// do, only when the button is released over them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ProgramUnderTest.h"
#include "platform/win32/Text.h"

namespace e2e {
namespace {

constexpr wchar_t kLogVariable[] = L"CONVALIS_E2E_LAUNCHES";

// While a recorder lives, the shell opens "http" and "mailto" addresses with
// record-launch.exe (built beside the test driver), which notes the command
// line of each launch in a file of the recorder's, named in the environment
// of the programs started after the recorder.
class LaunchRecorder {
public:
    LaunchRecorder() {
        wchar_t temp[MAX_PATH] = {}, file[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        GetTempFileNameW(temp, L"cvl", 0, file);  // creates it empty
        log_ = file;
        SetEnvironmentVariableW(kLogVariable, log_.c_str());
    }
    ~LaunchRecorder() {
        SetEnvironmentVariableW(kLogVariable, nullptr);
        DeleteFileW(log_.c_str());
    }
    LaunchRecorder(const LaunchRecorder&) = delete;
    LaunchRecorder& operator=(const LaunchRecorder&) = delete;

    // The command lines of the launches so far, in order: whole lines only,
    // since a launch may be writing the last one.
    std::vector<std::wstring> Launches() const {
        std::ifstream file(std::filesystem::path(log_), std::ios::binary);
        std::vector<std::wstring> launches;
        for (std::string line; std::getline(file, line) && !file.eof();) {
            launches.push_back(win32::Widen(line));
        }
        return launches;
    }

private:
    // Wine's shell reads the machine's classes; the user's are ignored.
    static ScopedRegistryString Handler(const wchar_t* scheme) {
        wchar_t driver[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, driver, MAX_PATH);
        std::wstring folder = driver;
        folder.erase(folder.find_last_of(L'\\'));
        return ScopedRegistryString(
            HKEY_LOCAL_MACHINE,
            std::wstring(L"Software\\Classes\\") + scheme + L"\\shell\\open\\command", L"",
            L"\"" + folder + L"\\record-launch.exe\" \"%1\"");
    }

    std::wstring log_;
    ScopedRegistryString http_ = Handler(L"http");
    ScopedRegistryString mailto_ = Handler(L"mailto");
};

// A press on the web address released far away opens nothing; released
// over it after moving off and back, it opens the address, as a click on a
// link does.
TEST(AboutBox, ALinkOpensOnlyWhenReleasedOverIt) {
    // Started before the program, which finds it through its environment.
    LaunchRecorder launches;
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    app.Click(L"imaCommand(3)");
    const ProgramWindow about = app.WaitForWindow(WindowKind::kAbout);
    ASSERT_TRUE(about) << "no about box opened";
    const POINT farAway{20, 700};
    ASSERT_TRUE(about.PressAndReleaseAlong(L"lblWeb", {farAway}));
    // Clicked after it, the mail address opens once the release far away
    // has been handled.
    about.Click(L"lblMail");
    ASSERT_TRUE(WaitUntil([&] { return !launches.Launches().empty(); }))
        << "the mail address did not open";
    std::vector<std::wstring> opened = launches.Launches();
    ASSERT_EQ(opened.size(), 1u) << "opened " << Utf8(opened[0]) << " and more";
    EXPECT_TRUE(ContainsNoCase(opened[0], L"mailto: " + about.Text(L"lblMail"))) << Utf8(opened[0]);

    ASSERT_TRUE(
        about.PressAndReleaseAlong(L"lblWeb", {farAway, Centre(about.Location(L"lblWeb"))}));
    ASSERT_TRUE(WaitUntil([&] { return launches.Launches().size() == 2; }))
        << "the web address did not open";
    opened = launches.Launches();
    EXPECT_TRUE(ContainsNoCase(opened[1], about.Text(L"lblWeb"))) << Utf8(opened[1]);
    EXPECT_TRUE(about.IsShown());
}

}  // namespace
}  // namespace e2e

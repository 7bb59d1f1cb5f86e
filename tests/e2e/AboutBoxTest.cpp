// The about box: opened from the main window and from the euro-zone window,
// it shows the program's name and version, a line that scrolls from right
// to left and the publisher's addresses; Escape, Enter, Alt+F4 and its
// close button close it.
#include <gtest/gtest.h>

#include <cwchar>
#include <ostream>

#include "ProgramUnderTest.h"
#include "ShellLaunches.h"

namespace e2e {
namespace {

constexpr wchar_t kSeparator[] = L"   -   ";

// A text of the program file's version information, such as L"FileDescription".
std::wstring VersionText(const std::wstring& file, const wchar_t* name) {
    DWORD ignored = 0;
    std::vector<unsigned char> data(GetFileVersionInfoSizeW(file.c_str(), &ignored));
    if (data.empty() ||
        !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data())) {
        return {};
    }
    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof(Translation)) {
        return {};
    }
    wchar_t path[64];
    std::swprintf(path, std::size(path), L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
                  translation->codePage, name);
    wchar_t* text = nullptr;
    if (!VerQueryValueW(data.data(), path, reinterpret_cast<void**>(&text), &size) || size == 0) {
        return {};
    }
    return std::wstring(text);
}

// The user name Windows setup recorded, which ends the scrolling line; none
// in a fresh Wine prefix.
std::optional<std::wstring> RegisteredUser() {
    wchar_t name[256] = {};
    DWORD bytes = sizeof(name);
    if (RegGetValueW(HKEY_USERS, L".Default\\Software\\Microsoft\\MS Setup (ACME)\\User Info",
                     L"DefName", RRF_RT_REG_SZ, nullptr, name, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(name);
}

class AboutBox : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(app_.WaitForShownMainWindow(), nullptr); }

    ProgramWindow OpenFrom(const ProgramWindow& opener, const wchar_t* button) const {
        opener.Click(button);
        ProgramWindow about = app_.WaitForWindowWith(L"lblTitle");
        EXPECT_TRUE(about) << "no about box opened";
        return about;
    }

    testing::AssertionResult IsClosed(const ProgramWindow& about) const {
        if (WaitUntil([&] { return !about.IsShown(); })) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "the about box is still shown";
    }

    // Started before the program, which finds it through its environment.
    LaunchRecorder launches_;
    ProgramUnderTest app_;
};

TEST_F(AboutBox, ShowsTheProgramsNameVersionAndAddressesOverTheMainWindow) {
    const ProgramWindow about = OpenFrom(app_.Main(), L"imaCommand(3)");
    ASSERT_TRUE(about);
    EXPECT_EQ(about.Owner(), app_.MainWindow());
    EXPECT_FALSE(IsWindowEnabled(app_.MainWindow()));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == about.Handle(); }));

    EXPECT_TRUE(about.Shows({{L"lblTitle", L"Convalis"}, {L"lblVersion", L"1.1.1"}}));
    const std::wstring& program = ProgramUnderTest::Executable();
    const std::wstring description = VersionText(program, L"FileDescription");
    EXPECT_EQ(Utf8(description), "Convertisseur Francs-Euros");
    const std::wstring legalNotice = VersionText(program, L"LegalCopyright");
    EXPECT_FALSE(legalNotice.empty()) << "the program file has no legal notice";
    const std::optional<std::wstring> user = RegisteredUser();
    EXPECT_TRUE(about.Shows(
        L"lblMarquee", description + kSeparator + legalNotice + kSeparator + user.value_or(L"")));

    EXPECT_TRUE(ContainsNoCase(about.Text(L"lblWeb"), L"://")) << Utf8(about.Text(L"lblWeb"));
    EXPECT_TRUE(ContainsNoCase(about.Text(L"lblMail"), L"@")) << Utf8(about.Text(L"lblMail"));
}

TEST_F(AboutBox, LineScrollsToTheLeft) {
    const ProgramWindow about = OpenFrom(app_.Main(), L"imaCommand(3)");
    ASSERT_TRUE(about);
    HWND marquee = about.Control(L"lblMarquee");
    ASSERT_NE(marquee, nullptr);
    LONG previous = WindowRect(marquee).left;
    const bool movedLeft = WaitUntil([&] {
        const LONG now = WindowRect(marquee).left;
        const bool left = now < previous;
        previous = now;
        return left;
    });
    EXPECT_TRUE(movedLeft) << "the line stays at " << previous;
}

TEST_F(AboutBox, OpensOverTheEuroZoneWindowWhichTakesKeysAgainAfterIt) {
    app_.Press({WithAlt('Z')});
    const ProgramWindow zone = app_.WaitForWindowWith(L"lblEti(0)");
    ASSERT_TRUE(zone) << "Alt+Z opened no euro-zone window";
    const ProgramWindow about = OpenFrom(zone, L"imaCommand(1)");
    ASSERT_TRUE(about);
    EXPECT_EQ(about.Owner(), zone.Handle());
    EXPECT_FALSE(IsWindowEnabled(zone.Handle()));
    EXPECT_TRUE(about.Shows({{L"lblTitle", L"Convalis"}, {L"lblVersion", L"1.1.1"}}));

    about.Press({{VK_ESCAPE}});
    ASSERT_TRUE(IsClosed(about));
    EXPECT_TRUE(zone.IsShown()) << "the euro-zone window closed with the about box";
    EXPECT_FALSE(IsWindowEnabled(app_.MainWindow()));
    zone.Press({{VK_RIGHT}});
    EXPECT_TRUE(zone.Shows(L"lblP(0)", L"Franc luxembourg."));
}

// A press on the web address released far away opens nothing; released
// over it after moving off and back, it opens the address, as a click on a
// link does.
TEST_F(AboutBox, ALinkOpensOnlyWhenReleasedOverIt) {
    const ProgramWindow about = OpenFrom(app_.Main(), L"imaCommand(3)");
    ASSERT_TRUE(about);
    const POINT farAway{20, 700};
    ASSERT_TRUE(about.PressAndReleaseAlong(L"lblWeb", {farAway}));
    // Clicked after it, the mail address opens once the release far away
    // has been handled.
    about.Click(L"lblMail");
    ASSERT_TRUE(WaitUntil([&] { return !launches_.Launches().empty(); }))
        << "the mail address did not open";
    std::vector<std::wstring> opened = launches_.Launches();
    ASSERT_EQ(opened.size(), 1u) << "opened " << Utf8(opened[0]) << " and more";
    EXPECT_TRUE(ContainsNoCase(opened[0], L"mailto: " + about.Text(L"lblMail"))) << Utf8(opened[0]);

    ASSERT_TRUE(about.PressAndReleaseAlong(L"lblWeb", {farAway, about.CentreOf(L"lblWeb")}));
    ASSERT_TRUE(WaitUntil([&] { return launches_.Launches().size() == 2; }))
        << "the web address did not open";
    opened = launches_.Launches();
    EXPECT_TRUE(ContainsNoCase(opened[1], about.Text(L"lblWeb"))) << Utf8(opened[1]);
    EXPECT_TRUE(about.IsShown());
}

// The ways to close the box through the window itself (Escape is above; the
// other keys are the unit tests').
struct Closing {
    const char* name;
    void (*close)(const ProgramWindow& about);
};

void PrintTo(const Closing& closing, std::ostream* out) {
    *out << closing.name;
}

class AboutBoxClosing : public AboutBox, public testing::WithParamInterface<Closing> {};

TEST_P(AboutBoxClosing, ClosesTheBoxAndTheMainWindowTakesKeysAgain) {
    const ProgramWindow about = OpenFrom(app_.Main(), L"imaCommand(3)");
    ASSERT_TRUE(about);
    GetParam().close(about);
    ASSERT_TRUE(IsClosed(about));
    EXPECT_FALSE(app_.ExitCode().has_value()) << "the program ended";
    EXPECT_TRUE(WaitUntil([this] { return IsWindowEnabled(app_.MainWindow()) != FALSE; }));
    app_.Type(L"5");
    EXPECT_TRUE(app_.Shows(L"lblP(0)", L"5"));
}

INSTANTIATE_TEST_SUITE_P(
    AboutBox, AboutBoxClosing,
    testing::Values(
        Closing{"AltF4", [](const ProgramWindow& about) { about.Press({WithAlt(VK_F4)}); }},
        // The box's one image button has no index.
        Closing{"CloseButton", [](const ProgramWindow& about) { about.Click(L"imaCommand"); }}),
    [](const testing::TestParamInfo<Closing>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e

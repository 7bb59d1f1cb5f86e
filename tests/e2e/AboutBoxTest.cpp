// The about box: the program's name and version, the scrolling line read
// from the program file's version information and the user's profile, and
// the publisher's addresses, which open through the shell.
#include <gtest/gtest.h>

#include <cwchar>

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

    ProgramWindow Open() const {
        app_.Click(L"imaCommand(3)");
        ProgramWindow about = app_.WaitForWindowWith(L"lblTitle");
        EXPECT_TRUE(about) << "no about box opened";
        return about;
    }

    // Started before the program, which finds it through its environment.
    LaunchRecorder launches_;
    ProgramUnderTest app_;
};

TEST_F(AboutBox, ShowsTheProgramsNameVersionAndAddressesOverTheMainWindow) {
    const ProgramWindow about = Open();
    ASSERT_TRUE(about);
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

// A press on the web address released far away opens nothing; released
// over it after moving off and back, it opens the address, as a click on a
// link does.
TEST_F(AboutBox, ALinkOpensOnlyWhenReleasedOverIt) {
    const ProgramWindow about = Open();
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

}  // namespace
}  // namespace e2e

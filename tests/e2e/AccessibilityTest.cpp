// The program as a screen reader meets it: every control of the four windows
// listed with a name and a role through oleacc, from another process, and
// the events that make the reader speak the displays after Enter and Tab.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "Accessibility.h"
#include "ProgramUnderTest.h"

namespace e2e {
namespace {

constexpr wchar_t kInternational[] = L"Control Panel\\International";

struct Expected {
    std::wstring control;
    std::wstring name;
    LONG role;
};

class Accessibility : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_TRUE(app_.Started());
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr)
            << "no top-level window titled \"Convalis\" appeared";
    }
    void TearDown() override { CoUninitialize(); }

    ScopedUserSetting frenchDecimal_{kInternational, L"sDecimal", L","};
    ProgramUnderTest app_;
};

// The view of `control` among the children that the window lists.
std::optional<AccessibleView> Listed(const ProgramWindow& window, std::wstring_view control) {
    // Asked for its children first, the window makes the windows of the
    // controls that are hidden and have none yet.
    const std::vector<AccessibleView> children = AccessibleChildrenOf(window.Handle());
    const HWND hwnd = window.Control(control);
    const auto found =
        std::find_if(children.begin(), children.end(),
                     [hwnd](const AccessibleView& view) { return view.window == hwnd; });
    if (hwnd == nullptr || found == children.end()) {
        return std::nullopt;
    }
    return *found;
}

testing::AssertionResult ListsAll(const ProgramWindow& window,
                                  const std::vector<Expected>& expected) {
    testing::AssertionResult result = testing::AssertionSuccess();
    bool failed = false;
    for (const Expected& control : expected) {
        const std::optional<AccessibleView> view = Listed(window, control.control);
        if (!view) {
            failed = true;
            result << Utf8(control.control) << " is not listed; ";
        } else if (view->name != control.name || view->role != control.role) {
            failed = true;
            result << Utf8(control.control) << " reads \"" << Utf8(view->name) << "\", "
                   << Utf8(RoleText(view->role)) << ", expected \"" << Utf8(control.name) << "\", "
                   << Utf8(RoleText(control.role)) << "; ";
        }
    }
    return failed ? testing::AssertionFailure() << result.message() : result;
}

TEST_F(Accessibility, MainWindowListsItsDisplaysWithTheirCaptionsAndItsButtonsByTheirTips) {
    EXPECT_TRUE(
        ListsAll(app_.Main(), {{L"lblP(0)", L"prix en francs 0", ROLE_SYSTEM_STATICTEXT},
                               {L"lblP(2)", L"prix en euros 0", ROLE_SYSTEM_STATICTEXT},
                               {L"lblEti(0)", L"prix en francs", ROLE_SYSTEM_STATICTEXT},
                               {L"lblEti(2)", L"prix en euros", ROLE_SYSTEM_STATICTEXT},
                               {L"imaCommand(0)", L"Fermer Alt+F4", ROLE_SYSTEM_PUSHBUTTON},
                               {L"imaCommand(1)", L"Réduire Alt+R", ROLE_SYSTEM_PUSHBUTTON},
                               {L"imaCommand(2)", L"Options Alt+O", ROLE_SYSTEM_PUSHBUTTON},
                               {L"imaCommand(3)", L"A propos de...", ROLE_SYSTEM_PUSHBUTTON},
                               {L"imaCommand(4)", L"Aide sur Convalis  F1", ROLE_SYSTEM_PUSHBUTTON},
                               {L"imaCommand(5)", L"Zone Euro Alt+Z", ROLE_SYSTEM_PUSHBUTTON}}));
    // The active display is the accessibility focus; the hidden change row
    // is there, and invisible.
    const std::optional<AccessibleView> active = Listed(app_.Main(), L"lblP(0)");
    ASSERT_TRUE(active);
    EXPECT_TRUE(active->state & STATE_SYSTEM_FOCUSED);
    const std::optional<AccessibleView> change = Listed(app_.Main(), L"lblP(3)");
    ASSERT_TRUE(change);
    EXPECT_EQ(change->name, L"appoint (en euros) 0");
    EXPECT_TRUE(change->state & STATE_SYSTEM_INVISIBLE);
}

TEST_F(Accessibility, EuroZoneWindowListsItsDisplaysAndButtons) {
    app_.Press({WithAlt('Z')});
    const ProgramWindow zone = app_.WaitForWindowWith(L"lblEti(0)");
    ASSERT_TRUE(zone) << "Alt+Z opened no euro-zone window";
    EXPECT_TRUE(
        ListsAll(zone, {{L"lblP(0)", L"prix en Franc français", ROLE_SYSTEM_STATICTEXT},
                        {L"lblP(1)", L"prix en 0", ROLE_SYSTEM_STATICTEXT},
                        {L"lblP(2)", L"prix en euros 0", ROLE_SYSTEM_STATICTEXT},
                        {L"imaCommand(0)", L"Fermer Alt+F4", ROLE_SYSTEM_PUSHBUTTON},
                        {L"imaCommand(1)", L"A propos de...", ROLE_SYSTEM_PUSHBUTTON},
                        {L"imaCommand(2)", L"Aide sur Convalis  F1", ROLE_SYSTEM_PUSHBUTTON}}));
}

TEST_F(Accessibility, OptionsListCheckBoxesWithTheirStateAndTwoButtons) {
    app_.Press({WithAlt('O')});
    const ProgramWindow options = app_.WaitForWindowWith(L"chkAppoint");
    ASSERT_TRUE(options) << "Alt+O opened no options dialog";
    EXPECT_TRUE(ListsAll(
        options, {{L"chkDémarrage", L"Lancer au démarrage de Windows", ROLE_SYSTEM_CHECKBUTTON},
                  {L"chkAppoint", L"Activer l'appoint en Euros", ROLE_SYSTEM_CHECKBUTTON},
                  {L"lblAction(0)", L"OK", ROLE_SYSTEM_PUSHBUTTON},
                  {L"lblAction(1)", L"Annuler", ROLE_SYSTEM_PUSHBUTTON},
                  {L"imaCommand", L"Fermer Alt+F4", ROLE_SYSTEM_PUSHBUTTON}}));
    // The change row is hidden after the changeover: the box is clear; Space
    // on the focused first box ticks it, and the reader hears so.
    std::optional<AccessibleView> box = Listed(options, L"chkAppoint");
    ASSERT_TRUE(box);
    EXPECT_FALSE(box->state & STATE_SYSTEM_CHECKED);
    ASSERT_TRUE(options.HasFocus(L"chkDémarrage"));
    options.Press({{VK_TAB}, {VK_SPACE}});
    ASSERT_TRUE(options.IsChecked(L"chkAppoint", true));
    box = Listed(options, L"chkAppoint");
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->state & STATE_SYSTEM_CHECKED);
    options.Press({{VK_ESCAPE}});
}

TEST_F(Accessibility, AboutBoxListsItsAddressesAsLinks) {
    app_.Click(L"imaCommand(3)");
    const ProgramWindow about = app_.WaitForWindowWith(L"lblTitle");
    ASSERT_TRUE(about) << "the about button opened no about box";
    EXPECT_TRUE(ListsAll(about, {{L"lblTitle", L"Convalis", ROLE_SYSTEM_STATICTEXT},
                                 {L"lblWeb", about.Text(L"lblWeb"), ROLE_SYSTEM_LINK},
                                 {L"lblMail", about.Text(L"lblMail"), ROLE_SYSTEM_LINK},
                                 {L"imaCommand", L"Fermer Alt+F4", ROLE_SYSTEM_PUSHBUTTON}}));
}

TEST_F(Accessibility, EnterAnnouncesTheConvertedAmountAndTabMovesTheFocus) {
    WinEventRecorder recorder(app_.ProcessId(), EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE);
    ASSERT_TRUE(recorder.Listening());
    const HWND euros = app_.Control(L"lblP(2)");
    app_.Type(L"100");
    app_.Press({{VK_RETURN}});
    const auto renamed = recorder.WaitFor([euros](const WinEventRecorder::Event& event) {
        return event.event == EVENT_OBJECT_NAMECHANGE && event.window == euros &&
               event.name.find(L"15,24") != std::wstring::npos;
    });
    ASSERT_TRUE(renamed) << "no name change of the euro display to 15,24 was heard";
    EXPECT_EQ(renamed->name, L"prix en euros 15,24");

    app_.Press({{VK_TAB}});
    const auto focused = recorder.WaitFor(
        [](const WinEventRecorder::Event& event) { return event.event == EVENT_OBJECT_FOCUS; });
    ASSERT_TRUE(focused) << "Tab raised no focus event";
    EXPECT_EQ(focused->window, euros);
    EXPECT_EQ(focused->name, L"prix en euros 15,24");

    // Escape after typing gives both amounts back and says so; the hidden
    // change row says nothing.
    recorder.Clear();
    app_.Type(L"5");
    app_.Press({{VK_ESCAPE}});
    ASSERT_TRUE(recorder.WaitFor([euros](const WinEventRecorder::Event& event) {
        return event.window == euros && event.name == L"prix en euros 15,24";
    })) << "Escape was not announced on the euro display";
    for (const WinEventRecorder::Event& event : recorder.Events()) {
        EXPECT_NE(event.window, app_.Control(L"lblP(1)"));
        EXPECT_NE(event.window, app_.Control(L"lblP(3)"));
    }
}

}  // namespace
}  // namespace e2e

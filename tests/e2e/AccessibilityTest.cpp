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
    std::wstring name;
    LONG role;
};

class Accessibility : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app_.Started());
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr)
            << "no top-level window titled \"Convalis\" appeared";
    }

    ScopedUserSetting frenchDecimal_{kInternational, L"sDecimal", L","};
    ProgramUnderTest app_;
};

// The child of that name among those the window lists.
std::optional<AccessibleView> Listed(HWND window, std::wstring_view name) {
    for (const AccessibleView& view : AccessibleChildrenOf(window)) {
        if (view.name == name) {
            return view;
        }
    }
    return std::nullopt;
}

testing::AssertionResult ListsAll(HWND window, const std::vector<Expected>& expected) {
    const std::vector<AccessibleView> children = AccessibleChildrenOf(window);
    std::string missing;
    for (const Expected& control : expected) {
        if (std::none_of(children.begin(), children.end(), [&](const AccessibleView& view) {
                return view.name == control.name && view.role == control.role;
            })) {
            missing += "\n  " + Utf8(RoleText(control.role)) + " \"" + Utf8(control.name) + "\"";
        }
    }
    if (missing.empty()) {
        return testing::AssertionSuccess();
    }
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "not listed:" << missing << "\nlisted:";
    for (const AccessibleView& view : children) {
        failure << "\n  " << Utf8(RoleText(view.role)) << " \"" << Utf8(view.name) << "\"";
    }
    return failure;
}

TEST_F(Accessibility, MainWindowListsItsDisplaysWithTheirCaptionsAndItsButtonsByTheirTips) {
    const HWND main = app_.MainWindow();
    EXPECT_TRUE(ListsAll(main, {{L"prix en francs 0", ROLE_SYSTEM_STATICTEXT},
                                {L"prix en euros 0", ROLE_SYSTEM_STATICTEXT},
                                {L"prix en francs", ROLE_SYSTEM_STATICTEXT},
                                {L"prix en euros", ROLE_SYSTEM_STATICTEXT},
                                {L"Fermer Alt+F4", ROLE_SYSTEM_PUSHBUTTON},
                                {L"Réduire Alt+R", ROLE_SYSTEM_PUSHBUTTON},
                                {L"Options Alt+O", ROLE_SYSTEM_PUSHBUTTON},
                                {L"A propos de...", ROLE_SYSTEM_PUSHBUTTON},
                                {L"Aide sur Convalis  F1", ROLE_SYSTEM_PUSHBUTTON},
                                {L"Zone Euro Alt+Z", ROLE_SYSTEM_PUSHBUTTON}}));
    // The active display is the accessibility focus; the hidden change row
    // is there, and invisible.
    const std::optional<AccessibleView> active = Listed(main, L"prix en francs 0");
    ASSERT_TRUE(active);
    EXPECT_TRUE(active->state & STATE_SYSTEM_FOCUSED);
    const std::optional<AccessibleView> change = Listed(main, L"appoint (en euros) 0");
    ASSERT_TRUE(change) << "the hidden change row is not listed";
    EXPECT_TRUE(change->state & STATE_SYSTEM_INVISIBLE);
}

TEST_F(Accessibility, EuroZoneWindowListsItsDisplaysAndButtons) {
    app_.Press({WithAlt('Z')});
    const ProgramWindow zone = app_.WaitForWindow(WindowKind::kEuroZone);
    ASSERT_TRUE(zone) << "Alt+Z opened no euro-zone window";
    EXPECT_TRUE(ListsAll(zone.Handle(), {{L"prix en Franc français", ROLE_SYSTEM_STATICTEXT},
                                         {L"prix en 0", ROLE_SYSTEM_STATICTEXT},
                                         {L"prix en euros 0", ROLE_SYSTEM_STATICTEXT},
                                         {L"Fermer Alt+F4", ROLE_SYSTEM_PUSHBUTTON},
                                         {L"A propos de...", ROLE_SYSTEM_PUSHBUTTON},
                                         {L"Aide sur Convalis  F1", ROLE_SYSTEM_PUSHBUTTON}}));
}

TEST_F(Accessibility, OptionsListCheckBoxesWithTheirStateAndTwoButtons) {
    app_.Press({WithAlt('O')});
    const ProgramWindow options = app_.WaitForWindow(WindowKind::kOptions);
    ASSERT_TRUE(options) << "Alt+O opened no options dialog";
    EXPECT_TRUE(
        ListsAll(options.Handle(), {{L"Lancer au démarrage de Windows", ROLE_SYSTEM_CHECKBUTTON},
                                    {L"Activer l'appoint en Euros", ROLE_SYSTEM_CHECKBUTTON},
                                    {L"OK", ROLE_SYSTEM_PUSHBUTTON},
                                    {L"Annuler", ROLE_SYSTEM_PUSHBUTTON},
                                    {L"Fermer Alt+F4", ROLE_SYSTEM_PUSHBUTTON}}));
    // The change row is hidden after the changeover: the box is clear; Space
    // on the focused first box ticks it, and the reader reads so.
    ASSERT_TRUE(options.IsChecked(L"chkAppoint", false));
    ASSERT_TRUE(options.HasFocus(L"chkDémarrage"));
    options.Press({{VK_TAB}, {VK_SPACE}});
    EXPECT_TRUE(options.HasFocus(L"chkAppoint"));
    EXPECT_TRUE(options.IsChecked(L"chkAppoint", true));
    EXPECT_TRUE(options.IsChecked(L"chkDémarrage", false));
    options.Press({{VK_ESCAPE}});
}

TEST_F(Accessibility, AboutBoxListsItsAddressesAsLinks) {
    app_.Click(L"imaCommand(3)");
    const ProgramWindow about = app_.WaitForWindow(WindowKind::kAbout);
    ASSERT_TRUE(about) << "the about button opened no about box";
    EXPECT_TRUE(ListsAll(about.Handle(), {{L"Convalis", ROLE_SYSTEM_STATICTEXT},
                                          {L"Fermer Alt+F4", ROLE_SYSTEM_PUSHBUTTON}}));
    std::vector<std::wstring> links;
    for (const AccessibleView& view : AccessibleChildrenOf(about.Handle())) {
        if (view.role == ROLE_SYSTEM_LINK) {
            links.push_back(view.name);
        }
    }
    ASSERT_EQ(links.size(), 2u);
    EXPECT_TRUE(ContainsNoCase(links[0] + links[1], L"://")) << "no web address";
    EXPECT_TRUE(ContainsNoCase(links[0] + links[1], L"@")) << "no mail address";
}

TEST_F(Accessibility, EnterAnnouncesTheConvertedAmountAndTabMovesTheFocus) {
    WinEventRecorder recorder(app_.ProcessId(), EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE);
    ASSERT_TRUE(recorder.Listening());
    const std::wstring converted = L"prix en euros 15,24";
    app_.Type(L"100");
    app_.Press({{VK_RETURN}});
    EXPECT_TRUE(recorder.WaitFor([&](const WinEventRecorder::Event& event) {
        return event.event == EVENT_OBJECT_NAMECHANGE && event.name == converted;
    })) << "no name change of the euro display to 15,24 was heard";

    app_.Press({{VK_TAB}});
    const auto focused = recorder.WaitFor(
        [](const WinEventRecorder::Event& event) { return event.event == EVENT_OBJECT_FOCUS; });
    ASSERT_TRUE(focused) << "Tab raised no focus event";
    EXPECT_EQ(Utf8(focused->name), Utf8(converted));

    // Escape after typing gives both amounts back and says so; the hidden
    // change row says nothing.
    recorder.Clear();
    app_.Type(L"5");
    app_.Press({{VK_ESCAPE}});
    ASSERT_TRUE(recorder.WaitFor([&](const WinEventRecorder::Event& event) {
        return event.event == EVENT_OBJECT_NAMECHANGE && event.name == converted;
    })) << "Escape was not announced on the euro display";
    for (const WinEventRecorder::Event& event : recorder.Events()) {
        EXPECT_FALSE(ContainsNoCase(event.name, L"payé") || ContainsNoCase(event.name, L"appoint"))
            << "the hidden row announced " << Utf8(event.name);
    }
}

}  // namespace
}  // namespace e2e

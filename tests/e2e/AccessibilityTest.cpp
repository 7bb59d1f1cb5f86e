// The program as a screen reader meets it from another process, through
// oleacc: the main window's controls with a name and a role, and the events
// that make the reader speak the displays after Enter, Tab and Escape. (The
// other windows' controls are found the same way by every other test.)
#include <gtest/gtest.h>

#include "Accessibility.h"
#include "ProgramUnderTest.h"

namespace e2e {
namespace {

// The child of that name and role among those the window lists.
std::optional<AccessibleView> Listed(HWND window, std::wstring_view name, LONG role) {
    for (const AccessibleView& view : AccessibleChildrenOf(window)) {
        if (view.name == name && view.role == role) {
            return view;
        }
    }
    return std::nullopt;
}

bool NameChangedTo(const WinEventRecorder::Event& event, std::wstring_view name) {
    return event.event == EVENT_OBJECT_NAMECHANGE && event.name == name;
}

TEST(Accessibility, MainWindowListsItsControlsAndAnnouncesWhatTheKeysChange) {
    ProgramUnderTest app;
    const HWND main = app.WaitForShownMainWindow();
    ASSERT_NE(main, nullptr);
    for (const wchar_t* button :
         {L"Fermer Alt+F4", L"Réduire Alt+R", L"Options Alt+O", L"A propos de...",
          L"Aide sur Convalis  F1", L"Zone Euro Alt+Z"}) {
        EXPECT_TRUE(Listed(main, button, ROLE_SYSTEM_PUSHBUTTON)) << Utf8(button);
    }
    for (const wchar_t* text : {L"prix en francs", L"prix en euros", L"prix en euros 0"}) {
        EXPECT_TRUE(Listed(main, text, ROLE_SYSTEM_STATICTEXT)) << Utf8(text);
    }
    // The active display is the accessibility focus; the hidden change row
    // is there, and invisible.
    const std::optional<AccessibleView> active =
        Listed(main, L"prix en francs 0", ROLE_SYSTEM_STATICTEXT);
    ASSERT_TRUE(active);
    EXPECT_TRUE(active->state & STATE_SYSTEM_FOCUSED);
    const std::optional<AccessibleView> change =
        Listed(main, L"appoint (en euros) 0", ROLE_SYSTEM_STATICTEXT);
    ASSERT_TRUE(change) << "the hidden change row is not listed";
    EXPECT_TRUE(change->state & STATE_SYSTEM_INVISIBLE);

    WinEventRecorder recorder(app.ProcessId(), EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE);
    ASSERT_TRUE(recorder.Listening());
    const std::wstring converted = L"prix en euros 15,24";
    app.Type(L"100");
    app.Press({{VK_RETURN}});
    EXPECT_TRUE(recorder.WaitFor([&](const auto& event) {
        return NameChangedTo(event, converted);
    })) << "no name change of the euro display to 15,24 was heard";
    app.Press({{VK_TAB}});
    const auto focused = recorder.WaitFor(
        [](const WinEventRecorder::Event& event) { return event.event == EVENT_OBJECT_FOCUS; });
    ASSERT_TRUE(focused) << "Tab raised no focus event";
    EXPECT_EQ(Utf8(focused->name), Utf8(converted));

    // Escape after typing gives both amounts back and says so; the hidden
    // change row says nothing.
    recorder.Clear();
    app.Type(L"5");
    app.Press({{VK_ESCAPE}});
    ASSERT_TRUE(recorder.WaitFor([&](const auto& event) {
        return NameChangedTo(event, converted);
    })) << "Escape was not announced on the euro display";
    for (const WinEventRecorder::Event& event : recorder.Events()) {
        EXPECT_FALSE(ContainsNoCase(event.name, L"payé") || ContainsNoCase(event.name, L"appoint"))
            << "the hidden row announced " << Utf8(event.name);
    }
}

}  // namespace
}  // namespace e2e

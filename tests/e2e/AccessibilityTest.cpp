// The program as a screen reader meets it from another process, through
// oleacc: the main window's controls with a name and a role, and the events
// that make the reader speak the displays after Enter, Tab and Escape.
#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

#include "Accessibility.h"
#include "ProgramUnderTest.h"

namespace e2e {
namespace {

// The focus and name-change events of the program, each with its object's
// name when it came: the out-of-context hook calls back on this thread while
// it handles its messages.
struct Heard {
    DWORD event;
    std::wstring name;
};
std::vector<Heard> heard;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) {
        heard.push_back({event, AccessibleNameOf(window, child)});
    }
}

// Handles this thread's messages until an event of that kind (and name,
// if given) has been heard.
std::optional<Heard> WaitToHear(DWORD event, const std::wstring& name = L"") {
    std::optional<Heard> found;
    WaitUntil([&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        for (const Heard& each : heard) {
            if (!found && each.event == event && (name.empty() || each.name == name)) {
                found = each;
            }
        }
        return found.has_value();
    });
    return found;
}

TEST(Accessibility, MainWindowListsItsControlsAndAnnouncesWhatTheKeysChange) {
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    // Every test finds the controls by their names and roles as read here
    // (ProgramWindow.cpp). The active display is the accessibility focus;
    // the hidden change row is there, and invisible.
    EXPECT_TRUE(app.Main().HasFocus(L"lblP(0)"));
    EXPECT_TRUE(app.Main().IsHidden(L"lblP(3)", true)) << "the hidden change row is not listed";

    const std::unique_ptr<std::remove_pointer_t<HWINEVENTHOOK>, decltype(&UnhookWinEvent)> hook(
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, Hear, app.ProcessId(),
                        0, WINEVENT_OUTOFCONTEXT),
        UnhookWinEvent);
    ASSERT_TRUE(hook);
    const std::wstring converted = L"prix en euros 15,24";
    app.Type(L"100");
    app.Press({{VK_RETURN}});
    EXPECT_TRUE(WaitToHear(EVENT_OBJECT_NAMECHANGE, converted))
        << "no name change of the euro display to 15,24 was heard";
    app.Press({{VK_TAB}});
    const std::optional<Heard> focused = WaitToHear(EVENT_OBJECT_FOCUS);
    ASSERT_TRUE(focused) << "Tab raised no focus event";
    EXPECT_EQ(Utf8(focused->name), Utf8(converted));

    // Escape after typing gives both amounts back and says so; the hidden
    // change row says nothing.
    heard.clear();
    app.Type(L"5");
    app.Press({{VK_ESCAPE}});
    ASSERT_TRUE(WaitToHear(EVENT_OBJECT_NAMECHANGE, converted))
        << "Escape was not announced on the euro display";
    for (const Heard& event : heard) {
        EXPECT_FALSE(ContainsNoCase(event.name, L"payé") || ContainsNoCase(event.name, L"appoint"))
            << "the hidden row announced " << Utf8(event.name);
    }
}

}  // namespace
}  // namespace e2e

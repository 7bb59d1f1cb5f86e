// Probe.
#include <gtest/gtest.h>

#include <cstdio>

#include "Accessibility.h"
#include "ProgramUnderTest.h"

namespace e2e {
namespace {

TEST(AccessibilityProbe, Lists) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ScopedUserSetting decimal{L"Control Panel\\International", L"sDecimal", L","};
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForShownMainWindow(), nullptr);
    for (const auto& child : AccessibleChildrenOf(app.Main().Handle())) {
        std::printf("child [%s] %s %lx\n", Utf8(child.name).c_str(), Utf8(RoleText(child.role)).c_str(), child.state);
    }
    for (HWND c : ChildWindows(app.Main().Handle())) {
        auto v = AccessibleOf(c);
        std::printf("hwnd %s: %d [%s] %s %lx\n", Utf8(WindowText(c)).c_str(), v.has_value(), v ? Utf8(v->name).c_str() : "", v ? Utf8(RoleText(v->role)).c_str() : "", v ? v->state : 0);
    }
    WinEventRecorder recorder(app.ProcessId(), EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE);
    std::printf("listening %d\n", recorder.Listening());
    app.Type(L"100");
    app.Press({{VK_RETURN}});
    auto e = recorder.WaitFor([](const WinEventRecorder::Event& ev) { return ev.name.find(L"15,24") != std::wstring::npos; }, std::chrono::milliseconds(5000));
    app.Press({{VK_TAB}});
    recorder.WaitFor([](const WinEventRecorder::Event& ev) { return ev.event == EVENT_OBJECT_FOCUS; }, std::chrono::milliseconds(5000));
    for (const auto& ev : recorder.Events()) {
        std::printf("event %lx %s [%s]\n", ev.event, Utf8(WindowText(ev.window)).c_str(), Utf8(ev.name).c_str());
    }
    app.Press({WithAlt('O')});
    ProgramWindow dialog = app.WaitForWindowWith(L"chkAppoint");
    for (HWND c : ChildWindows(dialog.Handle())) {
        auto v = AccessibleOf(c);
        std::printf("dlg hwnd %s: %d [%s] %s %lx\n", Utf8(WindowText(c)).c_str(), v.has_value(), v ? Utf8(v->name).c_str() : "", v ? Utf8(RoleText(v->role)).c_str() : "", v ? v->state : 0);
    }
    for (const auto& child : AccessibleChildrenOf(dialog.Handle())) {
        std::printf("dlg child [%s] %s %lx\n", Utf8(child.name).c_str(), Utf8(RoleText(child.role)).c_str(), child.state);
    }
}

}  // namespace
}  // namespace e2e

// What the Win32 platform promises beyond the contract, about the controls
// its windows draw themselves: the tooltip follows the pointer from one
// control to the next.
#include <string>

#include "ContractFixture.h"
#include "platform/win32/Win32Api.h"

namespace contract {
namespace {

class PlatformWin32Tooltips : public ContractTest {
protected:
    static HWND Hwnd(const platform::Window& window) {
        return reinterpret_cast<HWND>(window.Handle());
    }
    static RECT PixelsOf(const platform::Window& window, const platform::Control& control) {
        const platform::Bounds b = control.Placement();
        const platform::Dpi dpi = window.Dpi();
        return RECT{dpi.ToPixels(b.left), dpi.ToPixels(b.top), dpi.ToPixels(b.left + b.width),
                    dpi.ToPixels(b.top + b.height)};
    }
};

// The text of the tooltip shown for `window`, or empty while none shows.
std::wstring ShownTip(HWND window) {
    struct Search {
        HWND owner;
        std::wstring text;
    } search{window, {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto& found = *reinterpret_cast<Search*>(lParam);
            wchar_t name[64] = {};
            ::GetClassNameW(hwnd, name, 64);
            if (::lstrcmpiW(name, TOOLTIPS_CLASSW) != 0 ||
                ::GetWindow(hwnd, GW_OWNER) != found.owner || !::IsWindowVisible(hwnd)) {
                return TRUE;
            }
            wchar_t text[80] = {};
            TTTOOLINFOW tool{};
            tool.cbSize = TTTOOLINFOW_V2_SIZE;
            tool.lpszText = text;
            if (::SendMessageW(hwnd, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
                found.text = text;
            }
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.text;
}

TEST_F(PlatformWin32Tooltips, TheTooltipFollowsThePointerFromOneControlToTheNext) {
    auto window = MakeWindow("frmTips");
    platform::ImageButton& first = window->AddImageButton(
        {"imaCommand", 0, {300, 300, 600, 600}, platform::Picture::kClose, "Fermer"});
    platform::ImageButton& second = window->AddImageButton(
        {"imaCommand", 1, {1500, 300, 600, 600}, platform::Picture::kHelp, "Aide"});
    window->Show();
    window->Activate();
    HWND form = Hwnd(*window);
    // The pointer rests over the control's centre, as a hand holds it there:
    // in Wine's virtual desktop a move from X may come late and carry it
    // back to where an earlier move had put it, so it goes back each time
    // it has strayed while the test waits for the tip.
    const auto tipOver = [&](const platform::Control& control, const wchar_t* tip) {
        const RECT rect = PixelsOf(*window, control);
        POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ::ClientToScreen(form, &centre);
        return Run().RunUntil([&] {
            POINT now{};
            if (::GetCursorPos(&now) && (now.x != centre.x || now.y != centre.y) &&
                ::WindowFromPoint(centre) == form) {
                ::SetCursorPos(centre.x, centre.y);
            }
            return ShownTip(form) == tip;
        });
    };
    EXPECT_TRUE(tipOver(first, L"Fermer")) << "no tip over the first button";
    EXPECT_TRUE(tipOver(second, L"Aide")) << "the tip did not follow to the second button";
    ::SetCursorPos(0, 0);
}

}  // namespace
}  // namespace contract

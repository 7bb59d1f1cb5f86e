// Copy and paste of amounts through the system clipboard, which this test
// program reads and fills itself.
#include <gtest/gtest.h>

#include <optional>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

// A window of this test program's own, to own what it puts on the
// clipboard. The program's copy empties the clipboard, which first tells
// the owner (WM_DESTROYCLIPBOARD) and waits until it has heard: so a test
// that waits on a copy handles its messages meanwhile.
class ClipboardOwner {
public:
    ClipboardOwner()
        : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr)) {}
    ~ClipboardOwner() { DestroyWindow(window_); }
    ClipboardOwner(const ClipboardOwner&) = delete;
    ClipboardOwner& operator=(const ClipboardOwner&) = delete;
    HWND Handle() const { return window_; }
    void HandleMessages() const {
        MSG message;
        while (PeekMessageW(&message, window_, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }

private:
    HWND window_;
};

// The clipboard, open while the object lives, if it could be opened.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) {
            CloseClipboard();
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

// The clipboard's text; empty without text, nothing when it cannot be read.
std::optional<std::wstring> ClipboardText(HWND owner) {
    OpenClipboardScope clipboard(owner);
    if (!clipboard) {
        return std::nullopt;
    }
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) {
        return std::wstring();
    }
    const auto* chars = static_cast<const wchar_t*>(GlobalLock(data));
    if (chars == nullptr) {
        return std::nullopt;
    }
    std::wstring text(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
    GlobalUnlock(data);
    return text;
}

bool PutOnClipboard(HWND owner, const std::wstring& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (memory == nullptr) {
        return false;
    }
    if (auto* chars = static_cast<wchar_t*>(GlobalLock(memory))) {
        text.copy(chars, text.size());
        chars[text.size()] = L'\0';
        GlobalUnlock(memory);
    }
    OpenClipboardScope clipboard(owner);
    if (clipboard && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr) {
        return true;  // the clipboard owns the memory now
    }
    GlobalFree(memory);
    return false;
}

class Clipboard : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(owner_.Handle(), nullptr);
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr);
    }

    // Waits until the clipboard holds `expected`.
    testing::AssertionResult ClipboardHolds(const std::wstring& expected) const {
        std::optional<std::wstring> seen;
        const auto holds = [&] {
            owner_.HandleMessages();
            return (seen = ClipboardText(owner_.Handle())) == expected;
        };
        if (WaitUntil(holds)) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure()
               << "the clipboard holds "
               << (seen ? "\"" + Utf8(*seen) + "\"" : std::string("nothing readable")) << ", not \""
               << Utf8(expected) << "\"";
    }

    ClipboardOwner owner_;
    // The program is made for the French number format.
    ScopedUserSetting frenchDecimal_{L"Control Panel\\International", L"sDecimal", L","};
    ProgramUnderTest app_;
};

// The keys' rules are the unit tests'; here the amount crosses between
// processes both ways, through the system's clipboard.
TEST_F(Clipboard, PasteTakesAnotherProgramsAmountAndCopyGivesTheConvertedOneBack) {
    ASSERT_TRUE(PutOnClipboard(owner_.Handle(), L"1 234,5"));
    app_.Press({WithCtrl('V')});
    ASSERT_TRUE(app_.Shows(L"lblP(0)", L"1234,5"));
    app_.Press({{VK_RETURN}, {VK_TAB}});
    ASSERT_TRUE(app_.Shows(L"lblP(2)", L"188,20"));
    app_.Press({WithCtrl('C')});
    EXPECT_TRUE(ClipboardHolds(L"188,20"));
}

}  // namespace
}  // namespace e2e

#include "platform/win32/Win32Clipboard.h"

#include <algorithm>
#include <cwchar>

#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Api.h"

namespace win32 {
namespace {

// Another program may hold the clipboard for a moment: a few tries, a few
// milliseconds apart.
constexpr int kOpenAttempts = 5;
constexpr DWORD kOpenRetryMilliseconds = 10;

// The clipboard, open for as long as the object lives.
class ClipboardSession {
public:
    explicit ClipboardSession(platform::WindowHandle owner) {
        for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
            if (attempt > 0) {
                ::Sleep(kOpenRetryMilliseconds);
            }
            if (::OpenClipboard(reinterpret_cast<HWND>(owner))) {
                return;
            }
        }
        throw platform::RuntimeError("The clipboard cannot be opened");
    }
    ~ClipboardSession() { ::CloseClipboard(); }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
};

// A global memory block of this program's, until the clipboard takes it.
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle None() { return nullptr; }
    static void Close(Handle handle) { ::GlobalFree(handle); }
};
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;

// A global memory block's wide characters, locked for as long as the object
// lives.
class LockedText {
public:
    explicit LockedText(HGLOBAL memory)
        : memory_(memory), chars_(static_cast<wchar_t*>(::GlobalLock(memory))) {
        if (chars_ == nullptr) {
            throw platform::RuntimeError("The clipboard's memory cannot be locked");
        }
    }
    ~LockedText() { ::GlobalUnlock(memory_); }
    LockedText(const LockedText&) = delete;
    LockedText& operator=(const LockedText&) = delete;

    wchar_t* Chars() const { return chars_; }
    std::size_t Capacity() const { return ::GlobalSize(memory_) / sizeof(wchar_t); }

private:
    HGLOBAL memory_;
    wchar_t* chars_;
};

}  // namespace

std::string Win32Clipboard::Text(platform::WindowHandle owner) {
    ClipboardSession session(owner);
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) {
        return {};
    }
    const LockedText text(data);
    // The text ends at its NUL, and in any case within its block.
    const std::size_t length = ::wcsnlen(text.Chars(), text.Capacity());
    return Narrow(text.Chars(), static_cast<int>(length));
}

void Win32Clipboard::SetText(platform::WindowHandle owner, const std::string& text) {
    const std::wstring wide = Widen(text);
    UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t)));
    if (!memory) {
        throw platform::RuntimeError("No memory for the clipboard");
    }
    {
        const LockedText copy(memory.Get());
        *std::copy(wide.begin(), wide.end(), copy.Chars()) = L'\0';
    }
    ClipboardSession session(owner);
    if (!::EmptyClipboard() || ::SetClipboardData(CF_UNICODETEXT, memory.Get()) == nullptr) {
        throw platform::RuntimeError("The clipboard takes no text");
    }
    // The clipboard owns the block now.
    memory.Release();
}

void Win32Beeper::Beep() {
    ::MessageBeep(MB_OK);
}

}  // namespace win32

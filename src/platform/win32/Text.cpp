#include "platform/win32/Text.h"

#include "platform/UnicodeText.h"

namespace win32 {

// The Win32 API's wide characters are UTF-16 code units.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Widen(const std::string& utf8) {
    const std::u16string wide = platform::Utf8ToUtf16(utf8);
    return std::wstring(wide.begin(), wide.end());
}

// The program's own conversion rather than WideCharToMultiByte: the result
// is the same on every version of Windows and Wine, a lone surrogate
// included (it becomes U+FFFD).
std::string Narrow(const wchar_t* wide, int length) {
    if (wide == nullptr || length <= 0) {
        return {};
    }
    return platform::Utf16ToUtf8(std::u16string(wide, wide + length));
}

std::string Narrow(const std::wstring& wide) {
    return Narrow(wide.data(), static_cast<int>(wide.size()));
}

}  // namespace win32

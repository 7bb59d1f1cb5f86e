// Conversions between the program's UTF-8 texts and the wide texts of the
// Win32 API, independent of the ANSI code page. Lone surrogates and bytes
// that are no UTF-8 become U+FFFD either way.
#pragma once

#include <string>

namespace win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
std::string Narrow(const wchar_t* wide, int length);

}  // namespace win32

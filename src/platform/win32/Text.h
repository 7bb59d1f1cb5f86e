// Conversions between the program's UTF-8 texts and the wide texts of the
// Win32 API, independent of the ANSI code page.
#pragma once

#include <string>

namespace win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
std::string Narrow(const wchar_t* wide, int length);

}  // namespace win32

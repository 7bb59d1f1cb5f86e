#include "platform/win32/SystemLibrary.h"

namespace win32 {

// By its name alone, so that the activation context of the program's
// manifest picks the version it asks for. A system without the search flag
// (Windows 7 before its update) searches as it always does.
SystemLibrary::SystemLibrary(const wchar_t* fileName)
    : module_(::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    if (!module_ && ::GetLastError() == ERROR_INVALID_PARAMETER) {
        module_.Reset(::LoadLibraryW(fileName));
    }
}

}  // namespace win32

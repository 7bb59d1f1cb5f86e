#include "platform/win32/CommonControls.h"

#include <optional>
#include <utility>

namespace win32 {

namespace {

// The library by its name alone, so that the activation context of the
// program's manifest picks version 6; from the system folder, never from the
// program's own. A system without that search flag (Windows 7 before its
// update) searches as it always does.
UniqueModule LoadCommonControlsLibrary() {
    constexpr wchar_t kName[] = L"comctl32.dll";
    HMODULE module = ::LoadLibraryExW(kName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER) {
        module = ::LoadLibraryW(kName);
    }
    return UniqueModule(module);
}

// A function of `module` as the type it is declared with. The detour through
// a function without parameters keeps GCC's function-cast check quiet.
template <typename Function>
Function Find(HMODULE module, const char* name) {
    using Untyped = void (*)();
    return reinterpret_cast<Function>(reinterpret_cast<Untyped>(::GetProcAddress(module, name)));
}

}  // namespace

CommonControls::CommonControls(UniqueModule module) : module_(std::move(module)) {
    HMODULE handle = module_.Get();
    setWindowSubclass_ = Find<decltype(setWindowSubclass_)>(handle, "SetWindowSubclass");
    removeWindowSubclass_ = Find<decltype(removeWindowSubclass_)>(handle, "RemoveWindowSubclass");
    defSubclassProc_ = Find<decltype(defSubclassProc_)>(handle, "DefSubclassProc");
    const auto initCommonControlsEx =
        Find<decltype(&::InitCommonControlsEx)>(handle, "InitCommonControlsEx");
    if (initCommonControlsEx != nullptr) {
        // The tooltip class among them.
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
        initCommonControlsEx(&classes);
    }
}

bool CommonControls::Complete() const {
    return setWindowSubclass_ != nullptr && removeWindowSubclass_ != nullptr &&
           defSubclassProc_ != nullptr;
}

const CommonControls* CommonControls::Load() {
    // Freed when the program ends, after its windows.
    static const std::optional<CommonControls> loaded = []() -> std::optional<CommonControls> {
        UniqueModule module = LoadCommonControlsLibrary();
        if (!module) {
            return std::nullopt;
        }
        return CommonControls(std::move(module));
    }();
    return loaded && loaded->Complete() ? &*loaded : nullptr;
}

}  // namespace win32

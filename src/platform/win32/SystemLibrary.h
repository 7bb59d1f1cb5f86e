// Libraries of the system folder that the program loads the first time it
// needs one of their functions, rather than as imports at its start: the main
// window's first paint needs none of the component system, the screen-reader
// support, the common controls or the version reader, and each library
// loaded at the start costs start time and memory.
#pragma once

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle None() { return nullptr; }
    static void Close(Handle module) { ::FreeLibrary(module); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

// One library of the system folder, loaded for the lifetime of the object.
class SystemLibrary {
public:
    // By its file name, from the system folder and never from the program's
    // own; unloaded when the system cannot load it.
    explicit SystemLibrary(const wchar_t* fileName);

    explicit operator bool() const { return static_cast<bool>(module_); }

    // The function `name` as the type it is declared with; null when the
    // library is not loaded or lacks it.
    template <typename Function>
    Function Find(const char* name) const {
        // The detour through a function without parameters keeps GCC's
        // function-cast check quiet.
        using Untyped = void (*)();
        return module_ ? reinterpret_cast<Function>(
                             reinterpret_cast<Untyped>(::GetProcAddress(module_.Get(), name)))
                       : nullptr;
    }

private:
    UniqueModule module_;
};

// A set of functions of one library, loaded and bound by the first call and
// kept until the program ends; null when the library or one of the functions
// is missing. `Functions` names its library's file (kLibrary), binds its
// functions from the loaded library in its constructor and tells whether it
// found them all (Complete).
template <typename Functions>
const Functions* LoadOnFirstUse() {
    struct Loaded {
        SystemLibrary library{Functions::kLibrary};
        Functions functions{library};
    };
    static const Loaded loaded;
    return loaded.library && loaded.functions.Complete() ? &loaded.functions : nullptr;
}

}  // namespace win32

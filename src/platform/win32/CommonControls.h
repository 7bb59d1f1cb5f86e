// The system's common controls library (comctl32), loaded the first time a
// control needs it rather than as an import at the program's start: the main
// window's first paint uses none of it, and version 6 of it (which the
// manifest asks for, and which loads the theme library in turn) costs the
// start time and memory. The tooltips load it at the first pointer move over
// a control with a tip, the check boxes when they are created.
#pragma once

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

// A library of the system folder, loaded for the lifetime of the object.
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle None() { return nullptr; }
    static void Close(Handle module) { ::FreeLibrary(module); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

class CommonControls {
public:
    // The library, loaded and its window classes registered by the first
    // call; null when the system cannot load it.
    static const CommonControls* Load();

    BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) const {
        return setWindowSubclass_(hwnd, proc, id, data);
    }
    BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id) const {
        return removeWindowSubclass_(hwnd, proc, id);
    }
    LRESULT DefSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const {
        return defSubclassProc_(hwnd, message, wParam, lParam);
    }

private:
    explicit CommonControls(UniqueModule module);
    bool Complete() const;

    UniqueModule module_;
    decltype(&::SetWindowSubclass) setWindowSubclass_ = nullptr;
    decltype(&::RemoveWindowSubclass) removeWindowSubclass_ = nullptr;
    decltype(&::DefSubclassProc) defSubclassProc_ = nullptr;
};

}  // namespace win32

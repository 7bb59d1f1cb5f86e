// The system's common controls library (comctl32), loaded the first time a
// control needs it rather than as an import at the program's start: the main
// window's first paint uses none of it, and version 6 of it (which the
// manifest asks for) costs start time and memory. The tooltips load it at
// the first pointer move over a control with a tip.
#pragma once

#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

struct CommonControls {
    // By its name alone, so that the manifest's activation context picks
    // version 6.
    static constexpr wchar_t kLibrary[] = L"comctl32.dll";

    // The library, loaded and its window classes registered by the first
    // call; null when the system cannot load it.
    static const CommonControls* Load() { return LoadOnFirstUse<CommonControls>(); }

    explicit CommonControls(const SystemLibrary& library);
    // Whether its window classes are registered.
    bool Complete() const { return registered_; }

private:
    bool registered_ = false;
};

}  // namespace win32

// What every window and control of the Win32 platform shares, by part: the
// thread's apartment of the component system, the screen's units, the
// drawing resources, the registry of window classes and loaded windows, and
// the message loop.
#pragma once

#include "platform/win32/ComPtr.h"
#include "platform/win32/MessagePump.h"
#include "platform/win32/Resources.h"
#include "platform/win32/ScreenUnits.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/WindowRegistry.h"

namespace win32 {

struct Runtime {
    explicit Runtime(HINSTANCE instance)
        : instance(instance), resources(instance), registry(instance), pump(registry) {}
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    // First in, last out: every object of the component system lives inside
    // the apartment.
    ComApartment apartment;
    const HINSTANCE instance;
    const ScreenUnits units;
    Resources resources;
    // Declared before the pump: the unloaded windows the pump deletes last
    // leave the registry on their way.
    WindowRegistry registry;
    MessagePump pump;
};

}  // namespace win32

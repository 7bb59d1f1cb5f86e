// The program's windows as a screen reader sees them, from outside: the
// accessible objects of its controls (oleacc) and the events it raises. The
// calling thread must have entered a COM apartment.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <optional>
#include <string>
#include <vector>

#include "Desktop.h"

namespace e2e {

// One object as a screen reader reads it.
struct AccessibleView {
    std::wstring name;
    LONG role = 0;
    LONG state = 0;
    RECT location{};  // on the screen

    bool Shown() const { return (state & STATE_SYSTEM_INVISIBLE) == 0; }
};

// The children that a window's client object lists (AccessibleChildren).
// A child is either an object of its own, which Wine's oleacc gives for a
// child window and which is read through that window's client object, as a
// screen reader does, or a child id that the window's object answers for.
std::vector<AccessibleView> AccessibleChildrenOf(HWND window);
// Lets go of the objects read so far (those of a program that has ended).
void ForgetAccessibleObjects();

// The name of a window's client object (CHILDID_SELF) or of its child `child`.
std::wstring AccessibleNameOf(HWND window, LONG child);

}  // namespace e2e

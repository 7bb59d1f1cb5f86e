// A window as screen readers see it: its client object, named by its caption,
// with every control as a child (ids 1 to n in the order the controls were
// added), and the events that make a reader speak a control drawn by the
// window: its name changed, it took the focus.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Accessible.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/FormControl.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

class Canvas;

class FormAccessibility final : private AccessibleSource, private AccessibleChildren {
public:
    FormAccessibility(const HWND& window, const std::string& caption,
                      const std::vector<std::unique_ptr<FormControl>>& controls,
                      const Canvas& canvas)
        : window_(window), caption_(caption), controls_(controls), canvas_(canvas) {}

    // WM_GETOBJECT: the window's object for its client area; false for
    // another object, which the system describes.
    bool Answer(ComApartment& apartment, WPARAM wParam, LPARAM lParam, LRESULT* answer);
    // Tells screen readers of `event` on a shown control.
    void Announce(const FormControl& control, DWORD event) const;
    // The window is gone: readers that hold its object get errors from now on.
    void Forget() { accessible_.Forget(); }

private:
    AccessibleFacts Accessibility() const override;
    LONG ChildCount() const override { return static_cast<LONG>(controls_.size()); }
    bool ChildFacts(LONG child, AccessibleFacts* facts) const override;
    bool ChildRect(LONG child, RECT* screen) const override;
    HWND ChildWindow(LONG child) const override;
    LONG ChildAt(POINT screen) const override;
    LONG FocusedChild() const override;
    const FormControl* Child(LONG child) const;
    LONG IdOf(const FormControl& control) const;

    const HWND& window_;
    const std::string& caption_;
    const std::vector<std::unique_ptr<FormControl>>& controls_;
    const Canvas& canvas_;
    AccessibleHolder accessible_;
};

}  // namespace win32

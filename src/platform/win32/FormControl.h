// What a window knows of each of its controls, whether the control has a
// window of its own (check boxes, the drawing surface) or is drawn and served
// by the window (labels, image buttons, lines).
#pragma once

#include "platform/win32/Accessible.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

class WindowlessControl;

class FormControl : public AccessibleSource {
public:
    FormControl() = default;
    virtual ~FormControl() = default;
    FormControl(const FormControl&) = delete;
    FormControl& operator=(const FormControl&) = delete;

    // The control's own window; null for a windowless control.
    virtual HWND Hwnd() const { return nullptr; }
    // The control as its window draws and serves it; null for one with a
    // window of its own.
    virtual WindowlessControl* Windowless() { return nullptr; }
    virtual bool Shown() const = 0;
    // The control's rectangle in pixels of the window's client area.
    virtual RECT PixelRect() const = 0;
    // The colour scheme changed.
    virtual void ColorsChanged() {}
    // The window went to another scale: the control keeps its twips and takes
    // its place, font and picture at the new scale.
    virtual void ScaleChanged() {}
    // Whether the control is a tab stop that can take the focus now.
    virtual bool TakesFocus() const { return false; }
};

}  // namespace win32

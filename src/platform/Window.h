// Top-level windows of the forms runtime.
#pragma once

#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/Dpi.h"
#include "platform/Types.h"

namespace platform {

// What a window reports to the program. Every key pressed while the window is
// active reaches KeyDown before any control (key preview); the focused check
// box and the tab order take it afterwards (see CheckBox).
class FormEvents {
public:
    virtual ~FormEvents() = default;
    virtual void KeyDown(int keyCode, int shift) = 0;
    virtual void Resize() {}
    virtual void MouseDown(const MouseEvent&) {}
    virtual void MouseMove(const MouseEvent&) {}
    virtual void MouseUp(const MouseEvent&) {}
    // The window went to a monitor of another scale. Its controls keep their
    // twips and are laid out anew, and its image shows the back colour and
    // the picture at the new scale; what the program drew in pixels (the
    // region, the frame, a surface's image) is its own to draw again.
    virtual void DpiChanged() {}
    // The system asks the window to close (Alt+F4's default handling, the
    // task list...). The program unloads the window in answer.
    virtual void CloseRequested() = 0;
};

struct FormDesign {
    std::string name;     // "frmConvalis"
    std::string caption;  // never drawn: the windows have no title bar
    Bounds bounds;        // twips; left and top are ignored when centred
    OleColor backColor = SystemColor(syscolor::kWindow);
    // Shown at the window's top-left corner over the back colour, made for
    // the window's scale; may be null. The image must outlive the window.
    const Image& (*picture)(Dpi dpi) = nullptr;
    bool showInTaskbar = true;
};

// A borderless top-level window. Creating it loads it hidden; destroying the
// object unloads it.
class Window {
public:
    virtual ~Window() = default;

    virtual const std::string& Name() const = 0;
    virtual WindowHandle Handle() const = 0;
    virtual const std::string& Caption() const = 0;

    virtual Label& AddLabel(const LabelDesign& design) = 0;
    virtual ImageButton& AddImageButton(const ImageButtonDesign& design) = 0;
    virtual Line& AddLine(const LineDesign& design) = 0;
    virtual CheckBox& AddCheckBox(const CheckBoxDesign& design) = 0;
    virtual Surface& AddSurface(const SurfaceDesign& design) = 0;
    virtual Timer& AddTimer() = 0;

    // Shows the window modeless and activates it.
    virtual void Show() = 0;
    // Shows the window modal, owned by `owner`: the owner takes no input, and
    // the call returns once this window is hidden or destroyed. A window
    // cannot own itself, nor be shown modal while it is shown.
    void ShowModal(Window& owner) {
        if (&owner == this || owner.Handle() == 0)
            throw RuntimeError("Invalid owner window");
        if (Visible())
            throw RuntimeError("Form already displayed; can't show modally");
        DoShowModal(owner);
    }
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    virtual bool Minimized() const = 0;
    // Brings the window to the front and gives it the keyboard.
    virtual void Activate() = 0;

    // The window's scale: pixels and twips convert with it.
    virtual platform::Dpi Dpi() const = 0;
    // Placement in twips of the screen (outer size; the windows have no border).
    virtual Bounds Placement() const = 0;
    virtual void Move(const Bounds& bounds) = 0;
    virtual int ScaleWidth() const = 0;
    virtual void CenterOnScreen() = 0;
    virtual void CenterOver(const Window& owner) = 0;

    // The window's persistent image: what it shows whenever it repaints. It
    // holds the back colour, the picture, then whatever is drawn through it.
    virtual DeviceContext Hdc() const = 0;
    virtual const std::string& Tag() const = 0;
    virtual void SetTag(const std::string& tag) = 0;

protected:
    virtual void DoShowModal(Window& owner) = 0;
};

}  // namespace platform

// Top-level windows of the forms runtime.
#pragma once

#include <memory>
#include <string>

#include "platform/Arguments.h"
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

    // Controls and timers join a loaded window only.
    Label& AddLabel(const LabelDesign& design) {
        RequireLoaded(Handle());
        return DoAddLabel(design);
    }
    ImageButton& AddImageButton(const ImageButtonDesign& design) {
        RequireLoaded(Handle());
        return DoAddImageButton(design);
    }
    Line& AddLine(const LineDesign& design) {
        RequireLoaded(Handle());
        return DoAddLine(design);
    }
    CheckBox& AddCheckBox(const CheckBoxDesign& design) {
        RequireLoaded(Handle());
        return DoAddCheckBox(design);
    }
    Surface& AddSurface(const SurfaceDesign& design) {
        RequireLoaded(Handle());
        return DoAddSurface(design);
    }
    Timer& AddTimer() {
        RequireLoaded(Handle());
        return DoAddTimer();
    }

    // Shows the window modeless and activates it.
    virtual void Show() = 0;
    // Shows the window modal, owned by `owner`: the owner takes no input, and
    // the call returns once this window is hidden or destroyed. A window
    // cannot own itself, nor be shown modal while it is shown or while its
    // modal show has not returned (hidden, it may be shown again before its
    // loop has seen it hide); the backend refuses an owner that is not one
    // of its windows.
    void ShowModal(Window& owner) {
        RequireLoaded(Handle());
        if (&owner == this || owner.Handle() == 0)
            throw RuntimeError("Invalid owner window");
        if (Visible() || modalShows_ > 0)
            throw RuntimeError("Form already displayed; can't show modally");
        struct Shown {
            int& shows;
            ~Shown() { --shows; }
        } shown{++modalShows_};
        DoShowModal(owner);
    }
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    virtual bool Minimized() const = 0;
    // Brings a shown window to the front and gives it the keyboard; a hidden
    // window stays hidden and takes nothing.
    void Activate() {
        RequireLoaded(Handle());
        if (Visible())
            DoActivate();
    }

    // The window's scale: pixels and twips convert with it.
    virtual platform::Dpi Dpi() const = 0;
    // Placement in twips of the screen (outer size; the windows have no border).
    virtual Bounds Placement() const = 0;
    virtual void Move(const Bounds& bounds) = 0;
    virtual int ScaleWidth() const = 0;
    virtual void CenterOnScreen() = 0;
    // Both windows loaded.
    void CenterOver(const Window& owner) {
        RequireLoaded(Handle());
        RequireLoaded(owner.Handle());
        DoCenterOver(owner);
    }

    // The window's persistent image: what it shows whenever it repaints. It
    // holds the back colour, the picture, then whatever is drawn through it.
    virtual DeviceContext Hdc() const = 0;
    virtual const std::string& Tag() const = 0;
    virtual void SetTag(const std::string& tag) = 0;

protected:
    virtual Label& DoAddLabel(const LabelDesign& design) = 0;
    virtual ImageButton& DoAddImageButton(const ImageButtonDesign& design) = 0;
    virtual Line& DoAddLine(const LineDesign& design) = 0;
    virtual CheckBox& DoAddCheckBox(const CheckBoxDesign& design) = 0;
    virtual Surface& DoAddSurface(const SurfaceDesign& design) = 0;
    virtual Timer& DoAddTimer() = 0;
    virtual void DoShowModal(Window& owner) = 0;
    virtual void DoActivate() = 0;
    virtual void DoCenterOver(const Window& owner) = 0;

private:
    int modalShows_ = 0;
};

}  // namespace platform

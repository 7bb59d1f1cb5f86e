// The controls of a window. Labels, image buttons and lines have no window:
// the form draws and serves them. Check boxes and the drawing surface are
// child windows, without a control ID: nothing finds them by one.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Controls.h"
#include "platform/win32/Accessible.h"
#include "platform/win32/FormControl.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Input.h"
#include "platform/win32/MessageTarget.h"
#include "platform/win32/Runtime.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Gdi.h"

namespace win32 {

class Win32Window;

// The click of a control with a window of its own: a left-button press, the
// mouse kept by the control until the release, and the release over the
// control. Losing the mouse to another window in between cancels it.
class Click {
public:
    void SetHandler(std::function<void()> onClick) { onClick_ = std::move(onClick); }
    // Follows a message of the control's window `hwnd`: true when it
    // completes a click.
    bool Follow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs the click's handler, if there is one.
    void Raise(Runtime& runtime) const;

private:
    std::function<void()> onClick_;
    bool pressed_ = false;
};

// The system side of a control with a window of its own (a check box, the
// drawing surface): its child window, its placement and what it
// tells screen readers. Such controls lie above those the window draws.
class ChildWindow : public FormControl, private MessageTarget {
public:
    ChildWindow(Win32Window& form, std::string name, int index);
    ~ChildWindow() override;

    static void RegisterWindowClasses(Runtime& runtime);

    // Null once the window is destroyed.
    HWND Hwnd() const override { return hwnd_; }
    bool Shown() const override { return ControlVisible(); }
    RECT PixelRect() const override { return ToPixels(FormDpi(), bounds_); }
    void ScaleChanged() override;
    // For the program's own classes: the control as screen readers see it.
    AccessibleFacts Accessibility() const override { return {}; }

protected:
    // Creates the child window, on top of the others. For the platform's own
    // classes the window's messages go to HandleMessage.
    void Create(const wchar_t* windowClass, DWORD style, const platform::Bounds& bounds,
                bool visible);
    // The text the window is created with.
    virtual std::wstring WindowText() const { return {}; }
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A mouse message (or the loss of the mouse) of a control with mouse
    // handlers and a click: the handlers see it, then the click, if it
    // completes one. False for other messages.
    bool FollowMouse(const platform::MouseHandlers& handlers, Click& click, UINT message,
                     WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Paints the window's background under this control.
    void PaintParentBackground(HDC dc, const RECT& area) const;
    // The control's window; raises the run-time error once it is unloaded.
    HWND Require() const;

    const std::string& ControlName() const { return name_; }
    int ControlIndex() const { return index_; }
    platform::Bounds ControlPlacement() const { return bounds_; }
    virtual void MoveControl(const platform::Bounds& bounds);
    bool ControlVisible() const;
    void SetControlVisible(bool visible);
    platform::Dpi FormDpi() const;

    Win32Window& form_;
    Runtime& runtime_;

private:
    void Attach(HWND hwnd) override { hwnd_ = hwnd; }
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam) override;
    AccessibleHolder accessible_;
    std::string name_;
    int index_;
    platform::Bounds bounds_;
    HWND hwnd_ = nullptr;
};

// A control interface of the program implemented over a child window.
template <typename Interface>
class ChildControl : public Interface, public ChildWindow {
public:
    ChildControl(Win32Window& form, const std::string& name, int index)
        : ChildWindow(form, name, index) {}

    const std::string& Name() const override { return ControlName(); }
    int Index() const override { return ControlIndex(); }
    platform::Bounds Placement() const override { return ControlPlacement(); }
    void Move(const platform::Bounds& bounds) override { MoveControl(bounds); }
    bool Visible() const override { return ControlVisible(); }
    void SetVisible(bool visible) override { SetControlVisible(visible); }
};

// A control without a window: the form keeps its placement and visibility,
// paints it with its image (Canvas), hands it the mouse (ControlPointer),
// shows its tooltip (FormToolTips) and describes it to screen readers
// (FormAccessibility). A change has the form repaint only the control's
// rectangle.
class WindowlessControl : public FormControl {
public:
    // Where a control lies among the others. Labels paint the window's
    // image under their text, so they stay below every other control, which
    // they would otherwise cover where they overlap (a line across a label's
    // top row, a picture).
    enum class Layer { kBelow, kAbove };

    WindowlessControl(Win32Window& form, std::string name, int index,
                      const platform::Bounds& bounds, bool visible, Layer layer);

    WindowlessControl* Windowless() override { return this; }
    bool Shown() const override { return visible_; }
    RECT PixelRect() const override { return PixelRect(bounds_); }
    void ScaleChanged() override { Invalidate(); }
    void ColorsChanged() override { Invalidate(); }
    Layer ControlLayer() const { return layer_; }
    platform::Bounds ControlPlacement() const { return bounds_; }

    // Paints the control into `dc`, in the window's client coordinates,
    // clipped to `rect`, its rectangle.
    virtual void Paint(HDC dc, const RECT& rect) = 0;
    // Whether the control takes the mouse where it lies; the window's own
    // handlers see the mouse elsewhere.
    virtual bool TakesMouse() const { return false; }
    // A mouse event, in twips of the control; inside the handler guard.
    virtual void Mouse(MouseKind, const platform::MouseEvent&) {}
    // A left-button press and release over the control.
    virtual void Click() {}
    virtual bool ShowsHand() const { return false; }
    // The tooltip's text; empty for none.
    virtual const std::wstring& ToolTipText() const;
    // Has the window repaint the control's rectangle, if it is shown.
    void Invalidate() const;

protected:
    // The rectangle of `bounds` in pixels of the window's client area.
    virtual RECT PixelRect(const platform::Bounds& bounds) const;
    // Raises the run-time error once the window is unloaded.
    void Require() const;
    // Paints the window's image under the control.
    void PaintFormBackground(HDC dc, const RECT& rect) const;
    // Tells screen readers of an event on the control.
    void Announce(DWORD event) const;
    platform::Dpi FormDpi() const;

    const std::string& ControlName() const { return name_; }
    int ControlIndex() const { return index_; }
    void MoveControl(const platform::Bounds& bounds);
    void SetControlVisible(bool visible);

    Win32Window& form_;
    Runtime& runtime_;

private:
    std::string name_;
    int index_;
    platform::Bounds bounds_;
    bool visible_;
    Layer layer_;
};

// A control interface of the program implemented without a window.
template <typename Interface>
class WindowlessControlOf : public Interface, public WindowlessControl {
public:
    using WindowlessControl::WindowlessControl;

    const std::string& Name() const override { return ControlName(); }
    int Index() const override { return ControlIndex(); }
    platform::Bounds Placement() const override { return ControlPlacement(); }
    void Move(const platform::Bounds& bounds) override { MoveControl(bounds); }
    bool Visible() const override { return Shown(); }
    void SetVisible(bool visible) override { SetControlVisible(visible); }
};

class Win32Label final : public WindowlessControlOf<platform::Label> {
public:
    Win32Label(Win32Window& form, const platform::LabelDesign& design);
    void ScaleChanged() override;

    const std::string& Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override;
    platform::OleColor ForeColor() const override { return foreColor_; }
    void SetAccessibleCaption(const std::string& caption) override;
    void SetAccessibleFocus(bool focused) override;
    void SetMouseHandlers(platform::MouseHandlers handlers) override;
    void SetOnClick(std::function<void()> onClick) override { onClick_ = std::move(onClick); }

    void Paint(HDC dc, const RECT& rect) override;
    bool TakesMouse() const override { return true; }
    void Mouse(MouseKind kind, const platform::MouseEvent& event) override;
    void Click() override;
    bool ShowsHand() const override { return handCursor_; }
    const std::wstring& ToolTipText() const override { return toolTipText_; }
    AccessibleFacts Accessibility() const override;

protected:
    void DoSetForeColor(platform::OleColor color) override;

private:
    std::string AccessibleName() const;
    // Runs `change`, then tells screen readers if the name changed.
    template <typename Change>
    void ChangeName(Change change);
    void PaintBorder(HDC dc, const RECT& rect) const;
    HFONT TextFont();
    // The font that shows `text` whole in `width` pixels: the label's own,
    // or for a label that shrinks its text to fit, a smaller one, with how
    // far down to draw it so that it stands on the same baseline, and how
    // far in from the right so that its last glyph's ink shows whole.
    struct FittedFont {
        HFONT font;
        int baselineShift;
        int rightInset;
    };
    FittedFont FitText(HDC dc, const std::wstring& text, int width);
    // Fits the caption to the label again (its text, size or scale changed).
    void Refit();
    // An auto-sized label takes the width of its caption.
    void FitToCaption();

    std::string caption_;
    std::wstring text_;  // the caption, as drawn
    platform::OleColor foreColor_;
    platform::FontWeight weight_;
    platform::Alignment alignment_;
    bool underline_;
    bool handCursor_;
    bool border_;
    bool autoSize_;
    bool shrinkToFit_;
    std::wstring toolTipText_;
    FittedFont fitted_{};
    platform::AccessibleRole role_;
    std::string accessibleCaption_;
    bool accessibleFocus_ = false;
    platform::MouseHandlers mouse_;
    std::function<void()> onClick_;
};

class Win32ImageButton final : public WindowlessControlOf<platform::ImageButton> {
public:
    Win32ImageButton(Win32Window& form, const platform::ImageButtonDesign& design);

    platform::Picture Image() const override { return picture_; }
    const std::string& ToolTip() const override { return toolTip_; }
    void SetOnClick(std::function<void()> onClick) override { onClick_ = std::move(onClick); }

    void Paint(HDC dc, const RECT& rect) override;
    bool TakesMouse() const override { return true; }
    void Click() override;
    const std::wstring& ToolTipText() const override { return toolTipText_; }
    AccessibleFacts Accessibility() const override;

private:
    platform::Picture picture_;
    std::string toolTip_;
    std::wstring toolTipText_;
    std::function<void()> onClick_;
};

class Win32Line final : public WindowlessControlOf<platform::Line> {
public:
    Win32Line(Win32Window& form, const platform::LineDesign& design);

    void Paint(HDC dc, const RECT& rect) override;
    AccessibleFacts Accessibility() const override { return {L"", ROLE_SYSTEM_SEPARATOR, 0}; }

protected:
    // One pixel of a 96-dpi screen at least across and along, at the
    // window's scale.
    RECT PixelRect(const platform::Bounds& bounds) const override;

private:
    platform::OleColor color_;
    bool rising_;  // from bottom left to top right
};

// A check box of the program's own: the box, its caption wrapped beside it,
// and a focus frame that leaves the caption's letters clear. A click toggles
// it when released over it, as Space does when let go.
class Win32CheckBox final : public ChildControl<platform::CheckBox> {
public:
    Win32CheckBox(Win32Window& form, const platform::CheckBoxDesign& design);
    void ScaleChanged() override;

    const std::string& Caption() const override { return caption_; }
    int Value() const override;
    bool TakesFocus() const override;

    AccessibleFacts Accessibility() const override;

protected:
    void DoSetValue(int value) override;
    std::wstring WindowText() const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool Inside(LPARAM lParam) const;
    // Shows the box pushed in, or not.
    void Press(bool pressed);
    void Toggle();
    void Paint();
    void Draw(HDC dc, const RECT& client) const;

    std::string caption_;
    bool checked_ = false;
    bool pressed_ = false;
};

class Win32Surface final : public ChildControl<platform::Surface> {
public:
    Win32Surface(Win32Window& form, const platform::SurfaceDesign& design);

    platform::DeviceContext Hdc() const override;
    void Refresh() override;
    void SetMouseHandlers(platform::MouseHandlers handlers) override;
    void SetOnClick(std::function<void()> onClick) override {
        click_.SetHandler(std::move(onClick));
    }

    // A picture: the focus marker, whose meaning the accessibility focus carries.
    AccessibleFacts Accessibility() const override { return {L"", ROLE_SYSTEM_GRAPHIC, 0}; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void MoveControl(const platform::Bounds& bounds) override;

private:
    std::unique_ptr<DrawingDc> image_;
    platform::MouseHandlers mouse_;
    Click click_;
};

class Win32Timer final : public platform::Timer {
public:
    Win32Timer(Win32Window& form, UINT_PTR id);
    ~Win32Timer() override;
    Win32Timer(const Win32Timer&) = delete;
    Win32Timer& operator=(const Win32Timer&) = delete;

    int Interval() const override { return interval_; }
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;
    void SetOnTick(std::function<void()> onTick) override { onTick_ = std::move(onTick); }

    UINT_PTR Id() const { return id_; }
    void Tick();

protected:
    void DoSetInterval(int milliseconds) override;

private:
    void Apply();

    Win32Window& form_;
    UINT_PTR id_;
    int interval_ = 0;
    bool enabled_ = true;
    std::function<void()> onTick_;
};

}  // namespace win32

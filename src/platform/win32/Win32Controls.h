// The controls of a window as child windows.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Controls.h"
#include "platform/win32/Accessible.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MessageTarget.h"
#include "platform/win32/Runtime.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Gdi.h"

namespace win32 {

class Win32Window;

// The click of a control: a left-button press, the mouse kept by the
// control until the release, and the release over the control. Losing the
// mouse to another window in between cancels it.
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

// The system side of a control: its child window, its placement
// and what it tells screen readers.
//
// A control added hidden gets its window only when it is first shown, or
// when a screen reader asks its form for the form's children: each window
// costs the start calls to the window server, and a hidden row may never be
// shown. Until then the control keeps what is set on it, and its window is
// made with all of it, at the place in the z-order it would have had.
class ChildWindow : protected AccessibleSource, private MessageTarget {
public:
    // Where a control lies among the others. Labels paint the window's
    // background under their text, so they stay below every other control,
    // which they would otherwise cover where they overlap (a line across a
    // label's top row, a picture).
    enum class Layer { kBelow, kAbove };

    ChildWindow(Win32Window& form, std::string name, int index);
    virtual ~ChildWindow();
    ChildWindow(const ChildWindow&) = delete;
    ChildWindow& operator=(const ChildWindow&) = delete;

    static void RegisterWindowClasses(Runtime& runtime);

    // Null while the window is deferred, and once it is destroyed.
    HWND Hwnd() const { return hwnd_; }
    Layer ControlLayer() const { return layer_; }
    // Makes the window of a control added hidden, still hidden. False when
    // the system refuses it; the control then stays without a window.
    bool CreateDeferredWindow();
    // The colour scheme changed.
    virtual void ColorsChanged() {}
    // The window went to another scale: the control keeps its twips and takes
    // its place, font and picture at the new scale.
    virtual void ScaleChanged();
    // For a system control: the brush that fills its background, or null
    // for the window's back colour.
    virtual HBRUSH BackgroundBrush() { return nullptr; }
    // Whether the control is a tab stop that can take the focus now.
    virtual bool TakesFocus() const { return false; }
    // For the program's own classes: the control as screen readers see it.
    AccessibleFacts Accessibility() const override { return {}; }

protected:
    // Creates the child window, or for a hidden control that DefersWindow,
    // notes how to create it. For the platform's own classes the window's
    // messages go to HandleMessage.
    void Create(const wchar_t* windowClass, DWORD style, const platform::Bounds& bounds,
                bool visible, Layer layer);
    // Whether a hidden control may wait for its window: not a system control
    // that keeps its state in its window.
    virtual bool DefersWindow() const { return true; }
    // The text the window is created with.
    virtual std::wstring WindowText() const { return {}; }
    // The window was just created: the control fits its text to it.
    virtual void WindowCreated() {}
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A mouse message (or the loss of the mouse) of a control with mouse
    // handlers and a click: the handlers see it, then the click, if it
    // completes one. False for other messages.
    bool FollowMouse(const platform::MouseHandlers& handlers, Click& click, UINT message,
                     WPARAM wParam, LPARAM lParam);
    // The child window's rectangle in pixels of the window's client area.
    virtual RECT PixelRect(const platform::Bounds& bounds) const;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Paints the window's background under this control.
    void PaintParentBackground(HDC dc, const RECT& area) const;
    // Shows `text` in the window's tooltip while the mouse rests on the
    // control; nothing for an empty text. The tip is added to the tooltip at
    // the first pointer move over the control, which loads the common
    // controls: the start needs none of them.
    void AttachToolTip(const std::string& text);
    // The control's window, null while it is deferred; raises the run-time
    // error once the window is unloaded.
    HWND Require() const;
    // Has the control repainted, if it has a window; it paints its whole
    // background itself.
    void Invalidate() const;
    // WM_GETOBJECT: the control's accessible object for its client area;
    // false for another object, which the system describes.
    bool AnswerAccessibility(WPARAM wParam, LPARAM lParam, LRESULT* answer);
    void ForgetAccessible();

    const std::string& ControlName() const { return name_; }
    int ControlIndex() const { return index_; }
    platform::Bounds ControlPlacement() const { return bounds_; }
    virtual void MoveControl(const platform::Bounds& bounds);
    bool ControlVisible() const;
    void SetControlVisible(bool visible);

    Win32Window& form_;
    Runtime& runtime_;

private:
    // How a deferred window is to be made.
    struct DeferredWindow {
        const wchar_t* windowClass;
        DWORD style;
    };

    void Attach(HWND hwnd) override { hwnd_ = hwnd; }
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Creates the window below `insertAfter` in the z-order. False when the
    // system refuses it.
    bool MakeWindow(const wchar_t* windowClass, DWORD style, HWND insertAfter);
    void AddToolTipOnFirstMove(UINT message, WPARAM wParam, LPARAM lParam);
    ComPtr<AccessibleControl> accessible_;
    std::string name_;
    int index_;
    platform::Bounds bounds_;
    std::wstring toolTipText_;  // the tooltip control keeps a pointer to it
    bool toolTipAdded_ = false;
    Layer layer_ = Layer::kAbove;
    std::optional<DeferredWindow> deferred_;
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

class Win32Label final : public ChildControl<platform::Label> {
public:
    Win32Label(Win32Window& form, const platform::LabelDesign& design);
    void ScaleChanged() override;

    const std::string& Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override;
    platform::OleColor ForeColor() const override { return foreColor_; }
    void SetAccessibleCaption(const std::string& caption) override;
    void SetAccessibleFocus(bool focused) override;
    void SetMouseHandlers(platform::MouseHandlers handlers) override;
    void SetOnClick(std::function<void()> onClick) override {
        click_.SetHandler(std::move(onClick));
    }
    void ColorsChanged() override;

protected:
    void DoSetForeColor(platform::OleColor color) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    AccessibleFacts Accessibility() const override;
    std::wstring WindowText() const override;
    void WindowCreated() override;

private:
    std::string AccessibleName() const;
    // Runs `change`, then tells screen readers if the name changed.
    template <typename Change>
    void ChangeName(Change change);
    void Paint();
    void PaintBorder(HDC dc, const RECT& client) const;
    bool SetCursorShape(LPARAM lParam) const;
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
    // Fits the caption to the label again (its text, size or scale changed)
    // and publishes the font it is drawn in.
    void Refit();
    // An auto-sized label takes the width of its caption.
    void FitToCaption();

    std::string caption_;
    platform::OleColor foreColor_;
    platform::FontWeight weight_;
    platform::Alignment alignment_;
    bool underline_;
    bool handCursor_;
    bool border_;
    bool autoSize_;
    bool shrinkToFit_;
    FittedFont fitted_{};
    platform::AccessibleRole role_;
    std::string accessibleCaption_;
    bool accessibleFocus_ = false;
    platform::MouseHandlers mouse_;
    Click click_;
};

class Win32ImageButton final : public ChildControl<platform::ImageButton> {
public:
    Win32ImageButton(Win32Window& form, const platform::ImageButtonDesign& design);

    platform::Picture Image() const override { return picture_; }
    const std::string& ToolTip() const override { return toolTip_; }
    void SetOnClick(std::function<void()> onClick) override {
        click_.SetHandler(std::move(onClick));
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    AccessibleFacts Accessibility() const override;

private:
    void Paint();

    platform::Picture picture_;
    std::string toolTip_;
    Click click_;
};

class Win32Line final : public ChildControl<platform::Line> {
public:
    Win32Line(Win32Window& form, const platform::LineDesign& design);
    void ColorsChanged() override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    AccessibleFacts Accessibility() const override { return {L"", ROLE_SYSTEM_SEPARATOR, 0}; }
    // One pixel of a 96-dpi screen at least across and along, at the
    // window's scale.
    RECT PixelRect(const platform::Bounds& bounds) const override;

private:
    void Paint();

    platform::OleColor color_;
    bool rising_;  // from bottom left to top right
};

class Win32CheckBox final : public ChildControl<platform::CheckBox> {
public:
    Win32CheckBox(Win32Window& form, const platform::CheckBoxDesign& design);
    void ScaleChanged() override;

    const std::string& Caption() const override { return caption_; }
    int Value() const override;
    HBRUSH BackgroundBrush() override;
    bool TakesFocus() const override;

protected:
    void DoSetValue(int value) override;
    AccessibleFacts Accessibility() const override;
    // The system's button holds the box's state.
    bool DefersWindow() const override { return false; }
    std::wstring WindowText() const override;

private:
    // The font of the window's scale, for the system's button.
    void ApplyFont();
    // The system's button class does the rest; the box only answers
    // screen readers itself, since not every system describes a button's
    // check state.
    static LRESULT CALLBACK Subclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);

    std::string caption_;
    // The window's image under the check box, remade for every paint, so
    // that the box sits on the coin face as it is now.
    UniqueBrush background_;
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

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A picture: the focus marker, whose meaning the accessibility focus carries.
    AccessibleFacts Accessibility() const override { return {L"", ROLE_SYSTEM_GRAPHIC, 0}; }
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

// A top-level window of the program: a borderless popup with its controls.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Window.h"
#include "platform/win32/BackingImage.h"
#include "platform/win32/Canvas.h"
#include "platform/win32/ControlPointer.h"
#include "platform/win32/FocusRing.h"
#include "platform/win32/FormAccessibility.h"
#include "platform/win32/FormControl.h"
#include "platform/win32/FormToolTips.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MessageTarget.h"
#include "platform/win32/ModalLoop.h"
#include "platform/win32/Runtime.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Gdi.h"

namespace win32 {

class Win32Timer;

class Win32Window final : public platform::Window, private MessageTarget {
public:
    // Creates the system window, hidden.
    Win32Window(Runtime& runtime, const platform::FormDesign& design, platform::FormEvents& events);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    static void RegisterWindowClass(Runtime& runtime);

    // platform::Window
    const std::string& Name() const override { return name_; }
    platform::WindowHandle Handle() const override;
    const std::string& Caption() const override { return caption_; }

    void Show() override;
    void Hide() override;
    bool Visible() const override;
    bool Minimized() const override;

    platform::Dpi Dpi() const override { return dpi_; }
    platform::Bounds Placement() const override;
    void Move(const platform::Bounds& bounds) override;
    int ScaleWidth() const override;
    void CenterOnScreen() override;

    platform::DeviceContext Hdc() const override;
    const std::string& Tag() const override { return tag_; }
    void SetTag(const std::string& tag) override { tag_ = tag; }

    // For the platform and the controls.
    Runtime& Context() const { return runtime_; }
    HWND Hwnd() const { return hwnd_; }
    // Key preview: the window's KeyDown for a key message to it or to any
    // of its controls, before the message is dispatched; then the window's
    // own handling: Tab and Shift+Tab move the focus along the tab order.
    // True when nothing is left to dispatch: the handler unloaded the
    // window, or the key moved the focus.
    bool PreviewKey(const MSG& msg);
    // Unload: destroys the system window now; the object lives on until the
    // platform deletes it.
    void DestroyNow();
    // Paints what lies behind the controls in `area` (client coordinates of
    // the window): the window's persistent image. Labels and image buttons
    // paint it under their content, so that they look transparent.
    void PaintBackground(HDC dc, const RECT& area) const { image_.Paint(dc, area); }
    // A control the window draws moved, or was shown or hidden.
    void ControlMoved(const WindowlessControl& control) { toolTips_.Follow(control); }
    // Tells screen readers of an event on a shown control.
    void Announce(const FormControl& control, DWORD event) const {
        accessibility_.Announce(control, event);
    }

protected:
    platform::Label& DoAddLabel(const platform::LabelDesign& design) override;
    platform::ImageButton& DoAddImageButton(const platform::ImageButtonDesign& design) override;
    platform::Line& DoAddLine(const platform::LineDesign& design) override;
    platform::CheckBox& DoAddCheckBox(const platform::CheckBoxDesign& design) override;
    platform::Surface& DoAddSurface(const platform::SurfaceDesign& design) override;
    platform::Timer& DoAddTimer() override;
    void DoActivate() override;
    void DoCenterOver(const platform::Window& owner) override;
    void DoShowModal(platform::Window& owner) override;

private:
    void Attach(HWND hwnd) override;
    // Hands each message to its handler below.
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint();
    LRESULT OnPrintClient(HDC dc);
    LRESULT OnClose();
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus();
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    // The size is read from the window: a posted message may claim any.
    LRESULT OnSize();
    LRESULT OnTimer(WPARAM id);
    LRESULT OnSysColorChange();
    // The controls the window draws take the mouse where they lie; the
    // tooltip sees every move.
    LRESULT OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    // A screen reader asks for the window's object: the client area with
    // every control as a child.
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // The window went to a monitor of another scale: it takes the place the
    // system suggests, its controls, icons and image follow the new scale,
    // then the program redraws what it drew.
    // A message whose scale no screen has, or whose rectangle is missing or
    // larger than the screens, is not the system's and is ignored.
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcDestroy();
    HWND Require() const;
    // The controls that can take the focus now, in tab order.
    std::vector<HWND> TabStops() const;
    void MoveToPixels(int left, int top);
    // The icons of the window (task bar, task switcher) at its scale.
    void SetIcons();
    void FireResize();
    // Remakes the persistent image for a new client size.
    void ComposeImage(int width, int height) { image_.Compose(hwnd_, dpi_, width, height); }
    template <typename T>
    T& Adopt(std::unique_ptr<T> control);

    Runtime& runtime_;
    platform::FormEvents& events_;
    std::string name_;
    std::string caption_;
    std::string tag_;
    platform::Dpi dpi_;
    HWND hwnd_ = nullptr;
    BackingImage image_;
    FocusRing focus_;
    ModalLoop modal_;
    bool creating_ = true;
    unsigned resizeCount_ = 0;
    // In the order they were added: the tab order and screen readers' order.
    std::vector<std::unique_ptr<FormControl>> controls_;
    Canvas canvas_;
    ControlPointer pointer_;
    FormToolTips toolTips_;
    FormAccessibility accessibility_;
    std::vector<std::unique_ptr<Win32Timer>> timers_;
    // What a paint reads the window's update region into, made once.
    UniqueRegion updateRegion_;
};

}  // namespace win32

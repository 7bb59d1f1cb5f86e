#include "platform/win32/Win32Window.h"

#include <algorithm>

#include "platform/TabOrder.h"
#include "platform/WindowPlacement.h"
#include "platform/win32/Input.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Controls.h"

namespace win32 {

namespace {

RECT WindowRect(HWND hwnd) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return rect;
}

// Older headers lack the message; systems without it never send it.
#ifndef WM_DPICHANGED
constexpr UINT WM_DPICHANGED = 0x02E0;
#endif

}  // namespace

Win32Window::Win32Window(Runtime& runtime, const platform::FormDesign& design,
                         platform::FormEvents& events)
    : runtime_(runtime),
      events_(events),
      name_(design.name),
      caption_(design.caption),
      backColor_(design.backColor),
      picture_(design.picture),
      dpi_(runtime_.units.SystemDpi()) {
    const RECT pixels = ToPixels(dpi_, design.bounds);
    const DWORD exStyle = design.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
    // The size set at creation is not a resize the program hears of: it has
    // no handle to the window yet.
    ::CreateWindowExW(exStyle, kFormClass, Widen(caption_).c_str(), style, pixels.left, pixels.top,
                      pixels.right - pixels.left, pixels.bottom - pixels.top, nullptr, nullptr,
                      runtime_.instance, this);
    if (hwnd_ == nullptr) {
        creating_ = false;
        throw platform::RuntimeError("Cannot create the window");
    }
    // A window made on a monitor of another scale than the system's takes
    // its design size in that monitor's pixels, and icons of that scale (the
    // class's are the system's).
    const platform::Dpi dpi = runtime_.units.WindowDpi(hwnd_);
    if (dpi != dpi_) {
        dpi_ = dpi;
        const RECT scaled = ToPixels(dpi_, design.bounds);
        ::SetWindowPos(hwnd_, nullptr, 0, 0, scaled.right - scaled.left, scaled.bottom - scaled.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetIcons();
    }
    creating_ = false;
    if (!image_) {
        RECT client{};
        ::GetClientRect(hwnd_, &client);
        ComposeImage(client.right, client.bottom);
    }
}

Win32Window::~Win32Window() {
    DestroyNow();
    timers_.clear();
    controls_.clear();
    image_.reset();
}

void Win32Window::RegisterWindowClass(Runtime& runtime) {
    // The class's small icon is the notification area's too: the size of the
    // shell's scale, the system's.
    const platform::Dpi system = runtime.units.SystemDpi();
    runtime.registry.RegisterWindowClass(
        kFormClass, &Win32Window::WindowProc,
        runtime.resources.WindowIcon(runtime.units.SystemMetric(SM_CXICON, system)),
        runtime.resources.WindowIcon(runtime.units.SystemMetric(SM_CXSMICON, system)), 0);
}

void Win32Window::SetIcons() {
    Resources& resources = runtime_.resources;
    const HICON small = resources.WindowIcon(runtime_.units.SystemMetric(SM_CXSMICON, dpi_));
    const HICON big = resources.WindowIcon(runtime_.units.SystemMetric(SM_CXICON, dpi_));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
}

platform::WindowHandle Win32Window::Handle() const {
    return reinterpret_cast<platform::WindowHandle>(hwnd_);
}

HWND Win32Window::Require() const {
    if (hwnd_ == nullptr) {
        throw platform::RuntimeError("The window is not loaded");
    }
    return hwnd_;
}

template <typename T>
T& Win32Window::Adopt(std::unique_ptr<T> control) {
    T& adopted = *control;
    controls_.push_back(std::move(control));
    return adopted;
}

platform::Label& Win32Window::AddLabel(const platform::LabelDesign& design) {
    return Adopt(std::make_unique<Win32Label>(*this, design));
}

platform::ImageButton& Win32Window::AddImageButton(const platform::ImageButtonDesign& design) {
    return Adopt(std::make_unique<Win32ImageButton>(*this, design));
}

platform::Line& Win32Window::AddLine(const platform::LineDesign& design) {
    return Adopt(std::make_unique<Win32Line>(*this, design));
}

platform::CheckBox& Win32Window::AddCheckBox(const platform::CheckBoxDesign& design) {
    return Adopt(std::make_unique<Win32CheckBox>(*this, design));
}

platform::Surface& Win32Window::AddSurface(const platform::SurfaceDesign& design) {
    return Adopt(std::make_unique<Win32Surface>(*this, design));
}

platform::Timer& Win32Window::AddTimer() {
    Require();
    timers_.push_back(std::make_unique<Win32Timer>(*this, runtime_.registry.NextTimerId()));
    return *timers_.back();
}

void Win32Window::Show() {
    HWND hwnd = Require();
    const bool wasVisible = ::IsWindowVisible(hwnd) != FALSE;
    const unsigned resizes = resizeCount_;
    ::ShowWindow(hwnd, SW_SHOW);
    // Showing is a resize for the program, whether or not the system sent one.
    if (!wasVisible && resizes == resizeCount_ && hwnd_ != nullptr) {
        FireResize();
    }
    if (hwnd_ != nullptr) {
        ::SetForegroundWindow(hwnd_);
    }
}

void Win32Window::DoShowModal(platform::Window& owner) {
    HWND hwnd = Require();
    HWND ownerHwnd = reinterpret_cast<HWND>(owner.Handle());
    // A window of another platform object owns nothing here.
    if (runtime_.registry.FindForm(ownerHwnd) == nullptr) {
        throw platform::RuntimeError("Invalid owner window");
    }
    if (modalLoops_ > 0) {
        throw platform::RuntimeError("Form already displayed; can't show modally");
    }
    ::SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerHwnd));
    ::EnableWindow(ownerHwnd, FALSE);
    modalOwner_ = ownerHwnd;
    ++modalLoops_;
    // Whatever way the loop ends, even by an exception, the owner is given
    // back its input; the platform deletes an unloaded window only after this.
    struct LoopEnd {
        Win32Window& modal;
        HWND opener;
        ~LoopEnd() {
            modal.ReleaseModalOwner();
            --modal.modalLoops_;
            if (::IsWindow(opener) && ::IsWindowVisible(opener)) {
                ::SetForegroundWindow(opener);
                ::SetActiveWindow(opener);
            }
        }
    } loopEnd{*this, ownerHwnd};

    Show();
    while (::IsWindow(hwnd) && ::IsWindowVisible(hwnd)) {
        if (!runtime_.pump.PumpOne()) {
            break;
        }
    }
}

void Win32Window::ReleaseModalOwner() {
    if (modalOwner_ != nullptr) {
        ::EnableWindow(modalOwner_, TRUE);
        modalOwner_ = nullptr;
    }
}

void Win32Window::Hide() {
    if (hwnd_ == nullptr) {
        return;  // an unloaded window is hidden already
    }
    // The owner of a modal window takes input again before this one goes, so
    // that the system activates it.
    ReleaseModalOwner();
    ::ShowWindow(hwnd_, SW_HIDE);
}

bool Win32Window::Visible() const {
    return hwnd_ != nullptr && ::IsWindowVisible(hwnd_) != FALSE;
}

bool Win32Window::Minimized() const {
    return hwnd_ != nullptr && ::IsIconic(hwnd_) != FALSE;
}

void Win32Window::Activate() {
    HWND hwnd = Require();
    ::SetForegroundWindow(hwnd);
    ::SetActiveWindow(hwnd);
}

void Win32Window::DestroyNow() {
    ReleaseModalOwner();
    toolTip_.Reset();
    if (hwnd_ != nullptr) {
        ::DestroyWindow(hwnd_);
    }
}

platform::Bounds Win32Window::Placement() const {
    const RECT rect = WindowRect(Require());
    return platform::Bounds{dpi_.ToTwips(rect.left), dpi_.ToTwips(rect.top),
                            dpi_.ToTwips(rect.right - rect.left),
                            dpi_.ToTwips(rect.bottom - rect.top)};
}

void Win32Window::Move(const platform::Bounds& bounds) {
    const RECT pixels = ToPixels(dpi_, bounds);
    if (!::SetWindowPos(Require(), nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
                        pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE)) {
        throw platform::RuntimeError("Cannot move the window");
    }
}

int Win32Window::ScaleWidth() const {
    RECT client{};
    ::GetClientRect(Require(), &client);
    return dpi_.ToTwips(client.right - client.left);
}

void Win32Window::MoveToPixels(int left, int top) {
    if (!::SetWindowPos(Require(), nullptr, left, top, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)) {
        throw platform::RuntimeError("Cannot move the window");
    }
}

void Win32Window::CenterOnScreen() {
    const RECT rect = WindowRect(Require());
    MoveToPixels((::GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2,
                 (::GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2);
}

void Win32Window::CenterOver(const platform::Window& owner) {
    HWND ownerHwnd = reinterpret_cast<HWND>(owner.Handle());
    if (ownerHwnd == nullptr) {
        throw platform::RuntimeError("The owner window is not loaded");
    }
    const RECT rect = WindowRect(Require());
    const RECT over = WindowRect(ownerHwnd);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(ownerHwnd, MONITOR_DEFAULTTONEAREST), &monitor);
    auto bounds = [](const RECT& r) {
        return platform::Bounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    const platform::Bounds place = platform::CentredOver(
        bounds(over), rect.right - rect.left, rect.bottom - rect.top, bounds(monitor.rcWork));
    MoveToPixels(place.left, place.top);
}

void Win32Window::PreviewKey(const MSG& msg) {
    const int keyCode = static_cast<int>(msg.wParam);
    const int shift = KeyShiftState(msg);
    runtime_.pump.Invoke([&] { events_.KeyDown(keyCode, shift); });
}

bool Win32Window::NavigateByKey(const MSG& msg) {
    // The shift keys are read for Tab alone: every other key (the digits
    // above all) would pay a read of the keyboard's state for nothing.
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) {
        return false;
    }
    const int shift = KeyShiftState(msg);
    if ((shift & ~platform::shift::kShift) != 0 || hwnd_ == nullptr || !::IsWindowVisible(hwnd_)) {
        return false;
    }
    const std::vector<HWND> stops = TabStops();
    if (stops.empty()) {
        return false;
    }
    FocusControl(
        platform::NextTabStop(stops, ::GetFocus(), (shift & platform::shift::kShift) != 0));
    return true;
}

std::vector<HWND> Win32Window::TabStops() const {
    std::vector<HWND> stops;
    for (const auto& control : controls_) {
        if (control->TakesFocus()) {
            stops.push_back(control->Hwnd());
        }
    }
    return stops;
}

void Win32Window::RestoreFocus() {
    const std::vector<HWND> stops = TabStops();
    if (stops.empty()) {
        return;
    }
    const bool hadFocus = std::find(stops.begin(), stops.end(), lastFocus_) != stops.end();
    FocusControl(hadFocus ? lastFocus_ : stops.front());
}

void Win32Window::FocusControl(HWND control) {
    ::SetFocus(control);
    // The focus rectangle shows whichever way the window was reached; the
    // system may have hidden it until the keyboard is used.
    ::SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void Win32Window::FireResize() {
    runtime_.pump.Invoke([this] { events_.Resize(); });
}

platform::DeviceContext Win32Window::Hdc() const {
    Require();
    return reinterpret_cast<platform::DeviceContext>(image_->Dc());
}

void Win32Window::ComposeImage(int width, int height) {
    const platform::Rgb back = ResolveColor(backColor_);
    if (!image_) {
        image_ = std::make_unique<DrawingDc>(runtime_, width, height, back);
        image_->ShowIn(hwnd_);
    } else {
        image_->Resize(width, height, back);
    }
    FillSolid(image_->Dc(), RECT{0, 0, image_->Width(), image_->Height()}, back);
    if (picture_ != nullptr) {
        DrawPicture(image_->Dc(), picture_(dpi_), back);
    }
    image_->Changed();
}

void Win32Window::PaintBackground(HDC dc, const RECT& area) const {
    if (!image_) {
        FillSolid(dc, area, ResolveColor(backColor_));
        return;
    }
    ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, image_->Dc(),
             area.left, area.top, SRCCOPY);
}

HBRUSH Win32Window::BackBrush() {
    const platform::Rgb color = ResolveColor(backColor_);
    if (!backBrush_ || backBrushColor_ != color) {
        backBrush_.Reset(::CreateSolidBrush(color));
        backBrushColor_ = color;
    }
    return backBrush_.Get();
}

HWND Win32Window::ToolTip() {
    if (!toolTip_) {
        // Owned by the window, so that it shows above it.
        toolTip_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                         WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Require(),
                                         nullptr, runtime_.instance, nullptr));
    }
    return toolTip_.Get();
}

HWND Win32Window::CreatedControlAbove(const ChildWindow& control) const {
    std::vector<const ChildWindow*> zOrder;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if ((*it)->ControlLayer() == ChildWindow::Layer::kAbove) {
            zOrder.push_back(it->get());
        }
    }
    for (const auto& child : controls_) {
        if (child->ControlLayer() == ChildWindow::Layer::kBelow) {
            zOrder.push_back(child.get());
        }
    }
    HWND above = nullptr;
    for (const ChildWindow* child : zOrder) {
        if (child == &control) {
            break;
        }
        if (child->Hwnd() != nullptr) {
            above = child->Hwnd();
        }
    }
    return above;
}

LRESULT CALLBACK Win32Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->runtime_.registry.AddForm(hwnd, self);
    } else {
        self = reinterpret_cast<Win32Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

// The one place where a message of the window finds its handler; a message
// without one gets the system's default handling.
LRESULT Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            return OnPaint();
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT paints the whole background
        case WM_PRINTCLIENT:
            return OnPrintClient(reinterpret_cast<HDC>(wParam));
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnCtlColor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
        case WM_CLOSE:
            return OnClose();
        case WM_ENDSESSION:
            // Log-off, shut-down, or an installer through the restart
            // manager: the program closes as asked to, icon removed, before
            // the system ends the process. A sent message leaves the loop
            // waiting for the next one: a posted one lets it see the end.
            if (wParam) {
                OnClose();
                ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
            }
            return 0;
        case WM_ACTIVATE:
            return OnActivate(wParam, lParam);
        case WM_SETFOCUS:
            return OnSetFocus();
        case WM_HELP:
            // The program opens its help from its own F1 key handler.
            return TRUE;
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam, lParam);
        case WM_SIZE:
            return OnSize(wParam, LOWORD(lParam), HIWORD(lParam));
        case WM_TIMER:
            return OnTimer(wParam);
        case WM_SYSCOLORCHANGE:
            return OnSysColorChange();
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return OnMouse(message, wParam, lParam);
        case WM_DPICHANGED:
            return OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        case WM_GETOBJECT:
            return OnGetObject(wParam, lParam);
        case WM_NCDESTROY:
            return OnNcDestroy(wParam, lParam);
        default:
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

LRESULT Win32Window::OnPaint() {
    PaintScope paint(hwnd_);
    PaintBackground(paint.Dc(), paint.Area());
    return 0;
}

LRESULT Win32Window::OnPrintClient(HDC dc) {
    // A themed control asks for what lies behind it.
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    PaintBackground(dc, client);
    return 0;
}

LRESULT Win32Window::OnCtlColor(HWND control, HDC dc) {
    for (const auto& child : controls_) {
        if (child->Hwnd() != control) {
            continue;
        }
        if (HBRUSH brush = child->BackgroundBrush()) {
            // The brush's pattern starts at the control's top-left corner.
            ::SetBrushOrgEx(dc, 0, 0, nullptr);
            ::SetBkMode(dc, TRANSPARENT);
            ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(brush);
        }
    }
    ::SetBkColor(dc, ResolveColor(backColor_));
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(BackBrush());
}

LRESULT Win32Window::OnClose() {
    // The program decides: it unloads the window in answer.
    runtime_.pump.Invoke([this] { events_.CloseRequested(); });
    return 0;
}

LRESULT Win32Window::OnActivate(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        lastFocus_ = ::IsChild(hwnd_, focus) ? focus : nullptr;
    }
    return ::DefWindowProcW(hwnd_, WM_ACTIVATE, wParam, lParam);
}

LRESULT Win32Window::OnSetFocus() {
    // The system focuses the window itself on activation.
    RestoreFocus();
    return 0;
}

LRESULT Win32Window::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    // The windows have no menu bar: a lone Alt would otherwise enter the
    // system menu's loop, which takes every following key past the key
    // preview.
    if ((wParam & 0xFFF0) == SC_KEYMENU) {
        return 0;
    }
    return ::DefWindowProcW(hwnd_, WM_SYSCOMMAND, wParam, lParam);
}

LRESULT Win32Window::OnSize(WPARAM kind, int width, int height) {
    ++resizeCount_;
    // A minimised window keeps its image for the restore. A new size gets a
    // new image before the program hears of it, so that the frame it paints
    // lands on the image that is shown.
    if (kind != SIZE_MINIMIZED &&
        (!image_ || image_->Width() != width || image_->Height() != height)) {
        ComposeImage(width, height);
    }
    if (!creating_) {
        FireResize();
    }
    return 0;
}

LRESULT Win32Window::OnTimer(WPARAM id) {
    for (const auto& timer : timers_) {
        if (timer->Id() == id) {
            timer->Tick();
            break;
        }
    }
    return 0;
}

LRESULT Win32Window::OnSysColorChange() {
    for (const auto& control : controls_) {
        control->ColorsChanged();
    }
    ::InvalidateRect(hwnd_, nullptr, FALSE);
    return 0;
}

LRESULT Win32Window::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    DeliverMouse(runtime_, dpi_, hwnd_, message, wParam, lParam,
                 [this](MouseKind kind, const platform::MouseEvent& event) {
                     if (kind == MouseKind::kDown) {
                         events_.MouseDown(event);
                     } else if (kind == MouseKind::kMove) {
                         events_.MouseMove(event);
                     } else {
                         events_.MouseUp(event);
                     }
                 });
    return 0;
}

LRESULT Win32Window::OnGetObject(WPARAM wParam, LPARAM lParam) {
    for (const auto& control : controls_) {
        control->CreateDeferredWindow();
    }
    return ::DefWindowProcW(hwnd_, WM_GETOBJECT, wParam, lParam);
}

LRESULT Win32Window::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = platform::Dpi(dpi);
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& control : controls_) {
        control->ScaleChanged();
    }
    SetIcons();
    // The picture at the new scale, without what was drawn at the old one.
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    ComposeImage(client.right, client.bottom);
    runtime_.pump.Invoke([this] { events_.DpiChanged(); });
    if (hwnd_ != nullptr) {
        ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    return 0;
}

LRESULT Win32Window::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hwnd_;
    runtime_.registry.RemoveForm(hwnd);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (image_) {
        image_->ShowIn(nullptr);
    }
    hwnd_ = nullptr;
    // The system destroyed the tooltip with its owner.
    toolTip_.Release();
    return ::DefWindowProcW(hwnd, WM_NCDESTROY, wParam, lParam);
}

}  // namespace win32

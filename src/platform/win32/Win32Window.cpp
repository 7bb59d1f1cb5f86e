#include "platform/win32/Win32Window.h"

#include <algorithm>
#include <optional>

#include "platform/WindowPlacement.h"
#include "platform/win32/Input.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Controls.h"
#include "platform/win32/shell/mSysTray.h"

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

// The scales screens have, with room to spare: from half the standard to
// sixteen times it.
constexpr int kLowestDpi = 48;
constexpr int kHighestDpi = 1536;

// The rectangle at `address`, if there is readable memory there: any program
// may post the message with any number in place of the system's pointer.
std::optional<RECT> ReadableRect(LPARAM address) {
    const auto* rect = reinterpret_cast<const RECT*>(address);
    MEMORY_BASIC_INFORMATION region{};
    if (rect == nullptr || ::VirtualQuery(rect, &region, sizeof(region)) == 0) {
        return std::nullopt;
    }
    const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    const auto* end = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (region.State != MEM_COMMIT || (region.Protect & readable) == 0 ||
        (region.Protect & PAGE_GUARD) != 0 || reinterpret_cast<const char*>(rect + 1) > end) {
        return std::nullopt;
    }
    return *rect;
}

// Whether a window of that rectangle fits within the screens' extent.
bool FitsTheScreens(const RECT& rect) {
    const LONGLONG width = LONGLONG{rect.right} - rect.left;
    const LONGLONG height = LONGLONG{rect.bottom} - rect.top;
    return width > 0 && height > 0 && width <= ::GetSystemMetrics(SM_CXVIRTUALSCREEN) &&
           height <= ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

}  // namespace

Win32Window::Win32Window(Runtime& runtime, const platform::FormDesign& design,
                         platform::FormEvents& events)
    : MessageTarget(runtime.pump),
      runtime_(runtime),
      events_(events),
      name_(design.name),
      caption_(design.caption),
      dpi_(runtime_.units.SystemDpi()),
      image_(runtime, design.backColor, design.picture),
      focus_(hwnd_, [this] { return TabStops(); }),
      modal_(runtime.pump),
      pointer_(runtime, hwnd_, canvas_),
      toolTips_(runtime, hwnd_),
      accessibility_(hwnd_, caption_, controls_, canvas_),
      updateRegion_(::CreateRectRgn(0, 0, 0, 0)) {
    const RECT pixels = ToPixels(dpi_, design.bounds);
    const DWORD exStyle = design.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
    // The size set at creation is not a resize the program hears of: it has
    // no handle to the window yet.
    ::CreateWindowExW(exStyle, kFormClass, Widen(caption_).c_str(), style, pixels.left, pixels.top,
                      pixels.right - pixels.left, pixels.bottom - pixels.top, nullptr, nullptr,
                      runtime_.instance, CreationParameter());
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
    if (!image_.Made()) {
        RECT client{};
        ::GetClientRect(hwnd_, &client);
        ComposeImage(client.right, client.bottom);
    }
}

Win32Window::~Win32Window() {
    DestroyNow();
    timers_.clear();
    controls_.clear();
}

void Win32Window::RegisterWindowClass(Runtime& runtime) {
    // The class's small icon is the notification area's too: the size of the
    // shell's scale, the system's.
    const platform::Dpi system = runtime.units.SystemDpi();
    runtime.registry.RegisterWindowClass(
        kFormClass, &MessageTarget::Procedure,
        runtime.resources.WindowIcon(runtime.units.SystemMetric(SM_CXICON, system)),
        runtime.resources.WindowIcon(runtime.units.SystemMetric(SM_CXSMICON, system)), CS_OWNDC,
        mSysTray::kWindowBytes);
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
    if (WindowlessControl* windowless = adopted.Windowless()) {
        canvas_.Add(*windowless);
        windowless->Invalidate();
    }
    controls_.push_back(std::move(control));
    return adopted;
}

platform::Label& Win32Window::DoAddLabel(const platform::LabelDesign& design) {
    return Adopt(std::make_unique<Win32Label>(*this, design));
}

platform::ImageButton& Win32Window::DoAddImageButton(const platform::ImageButtonDesign& design) {
    return Adopt(std::make_unique<Win32ImageButton>(*this, design));
}

platform::Line& Win32Window::DoAddLine(const platform::LineDesign& design) {
    return Adopt(std::make_unique<Win32Line>(*this, design));
}

platform::CheckBox& Win32Window::DoAddCheckBox(const platform::CheckBoxDesign& design) {
    return Adopt(std::make_unique<Win32CheckBox>(*this, design));
}

platform::Surface& Win32Window::DoAddSurface(const platform::SurfaceDesign& design) {
    return Adopt(std::make_unique<Win32Surface>(*this, design));
}

platform::Timer& Win32Window::DoAddTimer() {
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
    modal_.Run(hwnd, ownerHwnd, [this] { Show(); });
}

void Win32Window::Hide() {
    if (hwnd_ == nullptr) {
        return;  // an unloaded window is hidden already
    }
    // The owner of a modal window takes input again before this one goes, so
    // that the system activates it.
    modal_.ReleaseOwner();
    ::ShowWindow(hwnd_, SW_HIDE);
}

bool Win32Window::Visible() const {
    return hwnd_ != nullptr && ::IsWindowVisible(hwnd_) != FALSE;
}

bool Win32Window::Minimized() const {
    return hwnd_ != nullptr && ::IsIconic(hwnd_) != FALSE;
}

void Win32Window::DoActivate() {
    HWND hwnd = Require();
    ::SetForegroundWindow(hwnd);
    ::SetActiveWindow(hwnd);
}

void Win32Window::DestroyNow() {
    modal_.ReleaseOwner();
    toolTips_.Destroy();
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
    const HWND hwnd = Require();
    const RECT pixels = ToPixels(dpi_, bounds);
    const RECT now = WindowRect(hwnd);
    // Under Wine even a move to where the window is costs the window server
    // a round of requests, and the forms are made at their size.
    if (::EqualRect(&pixels, &now) != FALSE) {
        return;
    }
    if (!::SetWindowPos(hwnd, nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
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

void Win32Window::DoCenterOver(const platform::Window& owner) {
    HWND ownerHwnd = reinterpret_cast<HWND>(owner.Handle());
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

bool Win32Window::PreviewKey(const MSG& msg) {
    const int keyCode = static_cast<int>(msg.wParam);
    const int shift = KeyShiftState(msg);
    runtime_.pump.Invoke([&] { events_.KeyDown(keyCode, shift); });
    return !::IsWindow(msg.hwnd) || focus_.Navigate(msg, shift);
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

void Win32Window::FireResize() {
    runtime_.pump.Invoke([this] { events_.Resize(); });
}

platform::DeviceContext Win32Window::Hdc() const {
    Require();
    return reinterpret_cast<platform::DeviceContext>(image_.Dc());
}

void Win32Window::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    runtime_.registry.AddForm(hwnd, this);
}

// The one place where a message of the window finds its handler; a message
// without one gets the system's default handling.
LRESULT Win32Window::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            return OnPaint();
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT paints the whole background
        case WM_PRINTCLIENT:
            return OnPrintClient(reinterpret_cast<HDC>(wParam));
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
            return OnSize();
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
        case WM_SETCURSOR:
            return OnSetCursor(wParam, lParam);
        case WM_CAPTURECHANGED:
            pointer_.CaptureChanged(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_DPICHANGED:
            return OnDpiChanged(wParam, lParam);
        case WM_GETOBJECT:
            return OnGetObject(wParam, lParam);
        case WM_NCDESTROY:
            return OnNcDestroy();
        default:
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

LRESULT Win32Window::OnPaint() {
    // The window's own device context (CS_OWNDC) keeps its visible region
    // from one paint to the next: BeginPaint would have the window server
    // work it out again for every key, and hide and show a caret the window
    // never has. The window has no frame to paint, and paints its whole
    // background itself.
    HRGN update = updateRegion_.Get();
    if (update == nullptr || ::GetUpdateRgn(hwnd_, update, FALSE) <= NULLREGION) {
        // Nothing to paint, or no region to read it into: the system's way
        // ends any paint it still holds.
        PaintScope paint(hwnd_);
        canvas_.Paint(paint.Dc(), paint.Area(), image_, runtime_.pump.Probe());
        return 0;
    }
    ::ValidateRgn(hwnd_, update);
    RECT area{};
    ::GetRgnBox(update, &area);
    const WindowDc dc(hwnd_);
    ::SelectClipRgn(dc.Get(), update);
    canvas_.Paint(dc.Get(), area, image_, runtime_.pump.Probe());
    ::SelectClipRgn(dc.Get(), nullptr);
    return 0;
}

LRESULT Win32Window::OnPrintClient(HDC dc) {
    // A themed control asks for what lies behind it.
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    PaintBackground(dc, client);
    return 0;
}

LRESULT Win32Window::OnClose() {
    // The program decides: it unloads the window in answer.
    runtime_.pump.Invoke([this] { events_.CloseRequested(); });
    return 0;
}

LRESULT Win32Window::OnActivate(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        focus_.Deactivated();
    }
    return ::DefWindowProcW(hwnd_, WM_ACTIVATE, wParam, lParam);
}

LRESULT Win32Window::OnSetFocus() {
    // The system focuses the window itself on activation.
    focus_.Restore();
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

LRESULT Win32Window::OnSize() {
    ++resizeCount_;
    // Another program may make the window larger than any screen: the image
    // covers what a screen can show of it.
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const int width = std::min<int>(client.right, ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    const int height = std::min<int>(client.bottom, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    // A minimised window keeps its image for the restore. A new size gets a
    // new image before the program hears of it, so that the frame it paints
    // lands on the image that is shown.
    if (!::IsIconic(hwnd_) && !image_.HasSize(width, height)) {
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
    toolTips_.Relay(message, wParam, lParam, canvas_.TopDown());
    if (pointer_.Route(dpi_, message, wParam, lParam)) {
        return 0;
    }
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

LRESULT Win32Window::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT &&
        pointer_.SetCursorShape()) {
        return TRUE;
    }
    return ::DefWindowProcW(hwnd_, WM_SETCURSOR, wParam, lParam);
}

LRESULT Win32Window::OnGetObject(WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (accessibility_.Answer(runtime_.apartment, wParam, lParam, &answer)) {
        return answer;
    }
    return ::DefWindowProcW(hwnd_, WM_GETOBJECT, wParam, lParam);
}

LRESULT Win32Window::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    const int dpi = LOWORD(wParam);
    const std::optional<RECT> suggested = ReadableRect(lParam);
    if (dpi < kLowestDpi || dpi > kHighestDpi || !suggested || !FitsTheScreens(*suggested)) {
        return 0;
    }
    dpi_ = platform::Dpi(dpi);
    ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& control : controls_) {
        control->ScaleChanged();
        if (const WindowlessControl* windowless = control->Windowless()) {
            toolTips_.Follow(*windowless);
        }
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

LRESULT Win32Window::OnNcDestroy() {
    HWND hwnd = hwnd_;
    runtime_.registry.RemoveForm(hwnd);
    image_.Detach();
    hwnd_ = nullptr;
    // The system destroyed the tooltip with its owner.
    toolTips_.Forget();
    accessibility_.Forget();
    return 0;
}

}  // namespace win32

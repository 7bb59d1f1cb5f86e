#include "platform/win32/Win32Controls.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/LineGeometry.h"
#include "platform/win32/Input.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Window.h"

namespace win32 {

namespace {

RECT ClientRect(HWND hwnd) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    return client;
}

UINT AlignmentFormat(platform::Alignment alignment) {
    switch (alignment) {
        case platform::Alignment::kRight:
            return DT_RIGHT;
        case platform::Alignment::kCenter:
            return DT_CENTER;
        case platform::Alignment::kLeft:
            break;
    }
    return DT_LEFT;
}

// A mouse event to the matching handler of a label or a surface.
void DeliverTo(const platform::MouseHandlers& handlers, MouseKind kind,
               const platform::MouseEvent& event) {
    // A copy: the handler may replace the handlers.
    const auto handler = kind == MouseKind::kDown   ? handlers.down
                         : kind == MouseKind::kMove ? handlers.move
                                                    : handlers.up;
    if (handler) {
        handler(event);
    }
}

// Runs a control's click handler, if it has one, inside the handler guard.
void RaiseClick(Runtime& runtime, const std::function<void()>& onClick) {
    if (onClick) {
        auto handler = onClick;  // the handler may replace it
        runtime.pump.Invoke(handler);
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// ChildWindow

ChildWindow::ChildWindow(Win32Window& form, std::string name, int index)
    : MessageTarget(form.Context().pump),
      form_(form),
      runtime_(form.Context()),
      name_(std::move(name)),
      index_(index) {}

ChildWindow::~ChildWindow() {
    // The child window goes with its parent; only a control whose parent
    // still stands is destroyed here.
    if (hwnd_ != nullptr && form_.Hwnd() != nullptr) {
        ::DestroyWindow(hwnd_);
    }
}

void ChildWindow::RegisterWindowClasses(Runtime& runtime) {
    runtime.registry.RegisterWindowClass(kSurfaceClass, &MessageTarget::Procedure, nullptr, nullptr,
                                         0);
    runtime.registry.RegisterWindowClass(kCheckBoxClass, &MessageTarget::Procedure, nullptr,
                                         nullptr, 0);
}

platform::Dpi ChildWindow::FormDpi() const {
    return form_.Dpi();
}

void ChildWindow::Create(const wchar_t* windowClass, DWORD style, const platform::Bounds& bounds,
                         bool visible) {
    if (form_.Hwnd() == nullptr) {
        throw platform::RuntimeError("The window is not loaded");
    }
    bounds_ = bounds;
    const RECT pixels = PixelRect();
    HWND hwnd = ::CreateWindowExW(0, windowClass, WindowText().c_str(),
                                  style | WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0),
                                  pixels.left, pixels.top, pixels.right - pixels.left,
                                  pixels.bottom - pixels.top, form_.Hwnd(), nullptr,
                                  runtime_.instance, CreationParameter());
    if (hwnd == nullptr) {
        throw platform::RuntimeError("Cannot create the control");
    }
    hwnd_ = hwnd;
}

LRESULT ChildWindow::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (message == WM_GETOBJECT &&
        accessible_.Answer(runtime_.apartment, hwnd_, *this, nullptr, wParam, lParam, &answer)) {
        return answer;
    }
    if (message == WM_NCDESTROY) {
        accessible_.Forget();
        return ::DefWindowProcW(std::exchange(hwnd_, nullptr), message, wParam, lParam);
    }
    return HandleMessage(message, wParam, lParam);
}

LRESULT ChildWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT ChildWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void ChildWindow::ScaleChanged() {
    MoveControl(bounds_);
}

void ChildWindow::PaintParentBackground(HDC dc, const RECT& area) const {
    POINT origin{0, 0};
    ::MapWindowPoints(hwnd_, form_.Hwnd(), &origin, 1);
    POINT previous{};
    ::OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    RECT inForm = area;
    ::OffsetRect(&inForm, origin.x, origin.y);
    form_.PaintBackground(dc, inForm);
    ::SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

HWND ChildWindow::Require() const {
    if (form_.Hwnd() == nullptr || hwnd_ == nullptr) {
        throw platform::RuntimeError("The window is not loaded");
    }
    return hwnd_;
}

void ChildWindow::MoveControl(const platform::Bounds& bounds) {
    HWND hwnd = Require();
    const RECT pixels = ToPixels(FormDpi(), bounds);
    if (!::SetWindowPos(hwnd, nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
                        pixels.bottom - pixels.top,
                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS)) {
        throw platform::RuntimeError("Cannot move the control");
    }
    bounds_ = bounds;
}

bool ChildWindow::ControlVisible() const {
    return hwnd_ != nullptr && (::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void ChildWindow::SetControlVisible(bool visible) {
    ::ShowWindow(Require(), visible ? SW_SHOWNA : SW_HIDE);
}

bool ChildWindow::FollowMouse(const platform::MouseHandlers& handlers, Click& click, UINT message,
                              WPARAM wParam, LPARAM lParam) {
    // The click is decided before the handlers run, which may take the mouse
    // elsewhere; it is raised after them, as the release comes before the
    // click.
    const bool clicked = click.Follow(hwnd_, message, wParam, lParam);
    const bool mouse = DeliverMouse(runtime_, FormDpi(), hwnd_, message, wParam, lParam,
                                    [&handlers](MouseKind kind, const platform::MouseEvent& event) {
                                        DeliverTo(handlers, kind, event);
                                    });
    if (clicked) {
        click.Raise(runtime_);
    }
    return mouse || message == WM_CAPTURECHANGED;
}

// ---------------------------------------------------------------------------
// WindowlessControl

WindowlessControl::WindowlessControl(Win32Window& form, std::string name, int index,
                                     const platform::Bounds& bounds, bool visible, Layer layer)
    : form_(form),
      runtime_(form.Context()),
      name_(std::move(name)),
      index_(index),
      bounds_(bounds),
      visible_(visible),
      layer_(layer) {
    if (form_.Hwnd() == nullptr) {
        throw platform::RuntimeError("The window is not loaded");
    }
}

const std::wstring& WindowlessControl::ToolTipText() const {
    static const std::wstring none;
    return none;
}

platform::Dpi WindowlessControl::FormDpi() const {
    return form_.Dpi();
}

RECT WindowlessControl::PixelRect(const platform::Bounds& bounds) const {
    return ToPixels(FormDpi(), bounds);
}

void WindowlessControl::Require() const {
    if (form_.Hwnd() == nullptr) {
        throw platform::RuntimeError("The window is not loaded");
    }
}

void WindowlessControl::Invalidate() const {
    if (visible_ && form_.Hwnd() != nullptr) {
        const RECT rect = PixelRect();
        ::InvalidateRect(form_.Hwnd(), &rect, FALSE);
    }
}

void WindowlessControl::PaintFormBackground(HDC dc, const RECT& rect) const {
    form_.PaintBackground(dc, rect);
}

void WindowlessControl::Announce(DWORD event) const {
    form_.Announce(*this, event);
}

void WindowlessControl::MoveControl(const platform::Bounds& bounds) {
    Require();
    Invalidate();
    bounds_ = bounds;
    Invalidate();
    form_.ControlMoved(*this);
}

void WindowlessControl::SetControlVisible(bool visible) {
    Require();
    if (visible == visible_) {
        return;
    }
    Invalidate();
    visible_ = visible;
    Invalidate();
    form_.ControlMoved(*this);
}

// ---------------------------------------------------------------------------
// Click

bool Click::Follow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            pressed_ = true;
            ::SetCapture(hwnd);
            return false;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) {
                pressed_ = false;
            }
            return false;
        case WM_LBUTTONUP: {
            if (!std::exchange(pressed_, false)) {
                return false;
            }
            const bool buttonsHeld = (wParam & (MK_RBUTTON | MK_MBUTTON)) != 0;
            if (::GetCapture() == hwnd && !buttonsHeld) {
                ::ReleaseCapture();
            }
            const POINT point = MousePoint(lParam);
            const RECT client = ClientRect(hwnd);
            return ::PtInRect(&client, point) != FALSE;
        }
        default:
            return false;
    }
}

void Click::Raise(Runtime& runtime) const {
    RaiseClick(runtime, onClick_);
}

// ---------------------------------------------------------------------------
// Label

Win32Label::Win32Label(Win32Window& form, const platform::LabelDesign& design)
    : WindowlessControlOf(form, design.name, design.index, design.bounds, design.visible,
                          Layer::kBelow),
      caption_(design.caption),
      text_(Widen(design.caption)),
      foreColor_(design.foreColor),
      weight_(design.weight),
      alignment_(design.alignment),
      underline_(design.underline),
      handCursor_(design.handCursor),
      border_(design.border),
      autoSize_(design.autoSize),
      shrinkToFit_(design.shrinkToFit),
      toolTipText_(Widen(design.toolTip)),
      role_(design.role) {
    FitToCaption();
    Refit();
}

void Win32Label::ScaleChanged() {
    FitToCaption();
    Refit();
    Invalidate();
}

void Win32Label::Refit() {
    const int borderPixels = border_ ? 2 : 0;
    const RECT rect = PixelRect();
    fitted_ =
        FitText(runtime_.resources.MeasuringDc(), text_, rect.right - rect.left - borderPixels);
}

void Win32Label::SetCaption(const std::string& caption) {
    Require();
    // The same text again shows nothing new: nothing is repainted.
    if (caption == caption_) {
        return;
    }
    ChangeName([&] {
        caption_ = caption;
        text_ = Widen(caption_);
    });
    FitToCaption();
    Refit();
    Invalidate();
}

void Win32Label::SetAccessibleCaption(const std::string& caption) {
    Require();
    ChangeName([&] { accessibleCaption_ = caption; });
}

void Win32Label::SetAccessibleFocus(bool focused) {
    Require();
    accessibleFocus_ = focused;
    if (focused) {
        Announce(EVENT_OBJECT_FOCUS);
    }
}

std::string Win32Label::AccessibleName() const {
    return platform::AccessibleLabelName(accessibleCaption_, caption_);
}

template <typename Change>
void Win32Label::ChangeName(Change change) {
    const std::string before = AccessibleName();
    change();
    if (AccessibleName() != before) {
        Announce(EVENT_OBJECT_NAMECHANGE);
    }
}

AccessibleFacts Win32Label::Accessibility() const {
    AccessibleFacts facts{Widen(AccessibleName()), ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY};
    if (role_ == platform::AccessibleRole::kPushButton) {
        facts.role = ROLE_SYSTEM_PUSHBUTTON;
        facts.state = 0;
    } else if (role_ == platform::AccessibleRole::kLink) {
        facts.role = ROLE_SYSTEM_LINK;
        facts.state = STATE_SYSTEM_LINKED;
    }
    if (accessibleFocus_) {
        facts.state |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED;
    }
    return facts;
}

HFONT Win32Label::TextFont() {
    return runtime_.resources.Font(FormDpi(), weight_, underline_);
}

void Win32Label::FitToCaption() {
    if (!autoSize_) {
        return;
    }
    SIZE extent{};
    {
        HDC dc = runtime_.resources.MeasuringDc();
        SelectionScope font(dc, TextFont());
        ::GetTextExtentPoint32W(dc, text_.c_str(), static_cast<int>(text_.size()), &extent);
    }
    const int borderPixels = border_ ? 2 : 0;
    platform::Bounds bounds = ControlPlacement();
    // Whole pixels in twips, so that the placement reports what is shown.
    bounds.width = FormDpi().ToTwips(extent.cx + borderPixels);
    if (bounds.width != ControlPlacement().width) {
        MoveControl(bounds);
    }
}

void Win32Label::DoSetForeColor(platform::OleColor color) {
    Require();
    platform::Rgb rgb = 0;
    if (!win32::TranslateColor(color, &rgb)) {
        throw platform::RuntimeError("Invalid property value");
    }
    if (color != foreColor_) {
        foreColor_ = color;
        Invalidate();
    }
}

void Win32Label::SetMouseHandlers(platform::MouseHandlers handlers) {
    mouse_ = std::move(handlers);
}

void Win32Label::Mouse(MouseKind kind, const platform::MouseEvent& event) {
    DeliverTo(mouse_, kind, event);
}

void Win32Label::Click() {
    RaiseClick(runtime_, onClick_);
}

void Win32Label::Paint(HDC dc, const RECT& rect) {
    PaintFormBackground(dc, rect);
    RECT textArea = rect;
    // No clipping to the text's area: a glyph's ink may pass its advance,
    // and the label's rectangle clips it.
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | AlignmentFormat(alignment_);
    if (border_) {
        PaintBorder(dc, rect);
        // A bordered label is a text button: its caption sits in the middle.
        ::InflateRect(&textArea, -1, -1);
        format |= DT_VCENTER;
    }
    textArea.top += fitted_.baselineShift;
    textArea.right -= fitted_.rightInset;
    SelectionScope font(dc, fitted_.font != nullptr ? fitted_.font : TextFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ResolveColor(foreColor_));
    ::DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &textArea, format);
}

namespace {

// The pixels a text's ink takes: its advance, and what its first and last
// glyphs stand out beyond it (a scalable font's glyph may; a bitmap font's
// never does).
struct InkExtent {
    int advance = 0;
    int overhangLeft = 0;
    int overhangRight = 0;

    int Width() const { return advance + overhangLeft + overhangRight; }
};

InkExtent MeasureInk(HDC dc, const std::wstring& text) {
    InkExtent ink;
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ink.advance = extent.cx;
    ABC first{};
    ABC last{};
    if (!text.empty() && ::GetCharABCWidthsW(dc, text.front(), text.front(), &first) &&
        ::GetCharABCWidthsW(dc, text.back(), text.back(), &last)) {
        ink.overhangLeft = std::max(0, -first.abcA);
        ink.overhangRight = std::max(0, -last.abcC);
    }
    return ink;
}

}  // namespace

Win32Label::FittedFont Win32Label::FitText(HDC dc, const std::wstring& text, int width) {
    HFONT own = TextFont();
    SelectionScope selected(dc, own);
    const int ownWidth = MeasureInk(dc, text).advance;
    if (!shrinkToFit_ || ownWidth <= width || width <= 0) {
        return {own, 0, 0};
    }
    TEXTMETRICW ownMetrics{};
    ::GetTextMetricsW(dc, &ownMetrics);
    // A pixel of room at either edge, so that the smaller text stands clear
    // of them (a small glyph's ink may pass its advance by a pixel); the
    // width follows the height: start from the height in proportion and go
    // down until the text's ink fits.
    const int margin = FormDpi().Scale(1);
    const int room = width - 2 * margin;
    const int ownHeight = ownMetrics.tmHeight - ownMetrics.tmInternalLeading;
    for (int height = std::max(1, ownHeight * room / ownWidth); height > 0; --height) {
        // Below 8 pixels a bold face fills its own counters: regular reads.
        const platform::FontWeight weight = height < 8 ? platform::FontWeight::kRegular : weight_;
        HFONT smaller = runtime_.resources.SmallerFont(weight, underline_, height);
        if (smaller == nullptr) {
            break;
        }
        ::SelectObject(dc, smaller);
        const InkExtent ink = MeasureInk(dc, text);
        if (ink.Width() <= room || height == 1) {
            TEXTMETRICW metrics{};
            ::GetTextMetricsW(dc, &metrics);
            return {smaller, static_cast<int>(ownMetrics.tmAscent - metrics.tmAscent),
                    margin + ink.overhangRight};
        }
    }
    return {own, 0, 0};
}

void Win32Label::PaintBorder(HDC dc, const RECT& rect) const {
    // A system brush: it follows the colour scheme and is never deleted.
    ::FrameRect(dc, &rect, ::GetSysColorBrush(COLOR_WINDOWTEXT));
}

// ---------------------------------------------------------------------------
// ImageButton

Win32ImageButton::Win32ImageButton(Win32Window& form, const platform::ImageButtonDesign& design)
    : WindowlessControlOf(form, design.name, design.index, design.bounds, design.visible,
                          Layer::kAbove),
      picture_(design.picture),
      toolTip_(design.toolTip),
      toolTipText_(Widen(design.toolTip)) {}

AccessibleFacts Win32ImageButton::Accessibility() const {
    return {toolTipText_, ROLE_SYSTEM_PUSHBUTTON, 0};
}

void Win32ImageButton::Click() {
    RaiseClick(runtime_, onClick_);
}

void Win32ImageButton::Paint(HDC dc, const RECT& rect) {
    PaintFormBackground(dc, rect);
    // A 16-pixel icon at 96 dpi, drawn for the size of the window's scale.
    const int size = FormDpi().Scale(16);
    runtime_.resources.DrawPicture(dc, picture_, size,
                                   rect.left + (rect.right - rect.left - size) / 2,
                                   rect.top + (rect.bottom - rect.top - size) / 2);
}

// ---------------------------------------------------------------------------
// Line

Win32Line::Win32Line(Win32Window& form, const platform::LineDesign& design)
    : WindowlessControlOf(form, design.name, design.index, platform::LineSpan(design),
                          design.visible, Layer::kAbove),
      color_(design.color),
      rising_(platform::LineRises(design)) {}

RECT Win32Line::PixelRect(const platform::Bounds& bounds) const {
    // One pixel of a 96-dpi screen thick at least.
    const int thickness = FormDpi().Scale(1);
    RECT pixels = ToPixels(FormDpi(), bounds);
    pixels.right = std::max(pixels.right, pixels.left + thickness);
    pixels.bottom = std::max(pixels.bottom, pixels.top + thickness);
    return pixels;
}

void Win32Line::Paint(HDC dc, const RECT& rect) {
    const platform::Rgb color = ResolveColor(color_);
    const int thickness = FormDpi().Scale(1);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= thickness || height <= thickness) {
        // Horizontal or vertical: the control is the line.
        FillSolid(dc, rect, color);
        return;
    }
    // A slanting line across the control, over the window's background.
    PaintFormBackground(dc, rect);
    UniquePen pen(::CreatePen(PS_SOLID, thickness, color));
    SelectionScope selected(dc, pen.Get());
    if (rising_) {
        ::MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
        ::LineTo(dc, rect.right, rect.top - 1);
    } else {
        ::MoveToEx(dc, rect.left, rect.top, nullptr);
        ::LineTo(dc, rect.right, rect.bottom);
    }
}

// ---------------------------------------------------------------------------
// CheckBox

Win32CheckBox::Win32CheckBox(Win32Window& form, const platform::CheckBoxDesign& design)
    : ChildControl(form, design.name, design.index), caption_(design.caption) {
    Create(kCheckBoxClass, WS_TABSTOP, design.bounds, design.visible);
    SetValue(design.value);
}

std::wstring Win32CheckBox::WindowText() const {
    return Widen(caption_);
}

void Win32CheckBox::ScaleChanged() {
    ChildWindow::ScaleChanged();
    ::InvalidateRect(Hwnd(), nullptr, FALSE);
}

LRESULT Win32CheckBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_GETDLGCODE:
            return DLGC_BUTTON;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Press(false);
            ::InvalidateRect(Hwnd(), nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
            ::SetFocus(Hwnd());
            ::SetCapture(Hwnd());
            Press(true);
            return 0;
        case WM_MOUSEMOVE:
            if (::GetCapture() == Hwnd()) {
                Press(Inside(lParam));
            }
            return 0;
        case WM_LBUTTONUP:
            // A click toggles the box only when released over it.
            if (::GetCapture() == Hwnd()) {
                const bool inside = Inside(lParam);
                ::ReleaseCapture();
                if (inside) {
                    Toggle();
                }
            }
            return 0;
        case WM_CAPTURECHANGED:
            Press(false);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                Press(true);
                return 0;
            }
            break;
        case WM_KEYUP:
            if (wParam == VK_SPACE && pressed_) {
                Press(false);
                Toggle();
                return 0;
            }
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

bool Win32CheckBox::Inside(LPARAM lParam) const {
    const RECT client = ClientRect(Hwnd());
    const POINT point = MousePoint(lParam);
    return ::PtInRect(&client, point) != FALSE;
}

void Win32CheckBox::Press(bool pressed) {
    if (pressed_ != pressed) {
        pressed_ = pressed;
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

void Win32CheckBox::Toggle() {
    checked_ = !checked_;
    ::InvalidateRect(Hwnd(), nullptr, FALSE);
    ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, Hwnd(), OBJID_CLIENT, CHILDID_SELF);
}

void Win32CheckBox::Paint() {
    PaintScope paint(Hwnd());
    const RECT client = ClientRect(Hwnd());
    // Drawn aside and copied at once, so that a toggle does not flicker.
    UniqueMemoryDc memory(::CreateCompatibleDC(paint.Dc()));
    UniqueBitmap image(::CreateCompatibleBitmap(paint.Dc(), std::max<LONG>(client.right, 1),
                                                std::max<LONG>(client.bottom, 1)));
    if (!memory || !image) {
        return;
    }
    SelectionScope selected(memory.Get(), image.Get());
    Draw(memory.Get(), client);
    ::BitBlt(paint.Dc(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

// The box at the left, the caption beside it, wrapped, both centred in the
// height; the focus frame round the caption, clear of its letters.
void Win32CheckBox::Draw(HDC dc, const RECT& client) const {
    PaintParentBackground(dc, client);
    const int dpi = FormDpi().Value();
    const auto pixels = [dpi](int atNormalScale) { return ::MulDiv(atNormalScale, dpi, 96); };
    const int box = pixels(13);
    RECT boxRect{0, (client.bottom - box) / 2, box, (client.bottom - box) / 2 + box};
    ::DrawFrameControl(
        dc, &boxRect, DFC_BUTTON,
        DFCS_BUTTONCHECK | (checked_ ? DFCS_CHECKED : 0) | (pressed_ ? DFCS_PUSHED : 0));

    SelectionScope font(dc, runtime_.resources.Font(FormDpi(), platform::FontWeight::kRegular));
    const std::wstring text = Widen(caption_);
    RECT textRect{box + pixels(6), 0, client.right - pixels(2), client.bottom};
    RECT measured = textRect;
    ::DrawTextW(dc, text.c_str(), -1, &measured, DT_WORDBREAK | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    textRect.top = std::max<LONG>(0, (client.bottom - height) / 2);
    textRect.bottom = textRect.top + height;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextW(dc, text.c_str(), -1, &textRect, DT_WORDBREAK);
    if (::GetFocus() == Hwnd()) {
        RECT frame{textRect.left - pixels(2), textRect.top - 1, measured.right + pixels(2),
                   textRect.bottom + 1};
        ::IntersectRect(&frame, &frame, &client);
        ::DrawFocusRect(dc, &frame);
    }
}

AccessibleFacts Win32CheckBox::Accessibility() const {
    return {Widen(caption_), ROLE_SYSTEM_CHECKBUTTON, checked_ ? STATE_SYSTEM_CHECKED : 0, 0};
}

int Win32CheckBox::Value() const {
    Require();
    return checked_ ? 1 : 0;
}

void Win32CheckBox::DoSetValue(int value) {
    Require();
    if (checked_ != (value == 1)) {
        Toggle();
    }
}

bool Win32CheckBox::TakesFocus() const {
    return ControlVisible() && ::IsWindowEnabled(Hwnd()) != FALSE;
}

// ---------------------------------------------------------------------------
// Surface

Win32Surface::Win32Surface(Win32Window& form, const platform::SurfaceDesign& design)
    : ChildControl(form, design.name, design.index) {
    const RECT pixels = ToPixels(FormDpi(), design.bounds);
    image_ = std::make_unique<DrawingDc>(runtime_, pixels.right - pixels.left,
                                         pixels.bottom - pixels.top, ::GetSysColor(COLOR_WINDOW));
    Create(kSurfaceClass, 0, design.bounds, design.visible);
}

platform::DeviceContext Win32Surface::Hdc() const {
    return reinterpret_cast<platform::DeviceContext>(image_->Dc());
}

void Win32Surface::Refresh() {
    HWND hwnd = Require();
    ::InvalidateRect(hwnd, nullptr, FALSE);
    ::UpdateWindow(hwnd);
}

void Win32Surface::SetMouseHandlers(platform::MouseHandlers handlers) {
    mouse_ = std::move(handlers);
}

void Win32Surface::MoveControl(const platform::Bounds& bounds) {
    ChildWindow::MoveControl(bounds);
    const RECT pixels = PixelRect();
    image_->Resize(pixels.right - pixels.left, pixels.bottom - pixels.top,
                   ::GetSysColor(COLOR_WINDOW));
    // Its image is ready: painted now rather than at a message of its own,
    // a moved surface (the focus marker at each Tab) ends the key's paints
    // a round through the window server sooner.
    ::UpdateWindow(Hwnd());
}

LRESULT Win32Surface::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PaintScope paint(Hwnd());
            ::BitBlt(paint.Dc(), 0, 0, image_->Width(), image_->Height(), image_->Dc(), 0, 0,
                     SRCCOPY);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        default:
            if (FollowMouse(mouse_, click_, message, wParam, lParam)) {
                return 0;
            }
            return Default(message, wParam, lParam);
    }
}

// ---------------------------------------------------------------------------
// Timer

Win32Timer::Win32Timer(Win32Window& form, UINT_PTR id) : form_(form), id_(id) {}

Win32Timer::~Win32Timer() {
    if (form_.Hwnd() != nullptr) {
        ::KillTimer(form_.Hwnd(), id_);
    }
}

void Win32Timer::DoSetInterval(int milliseconds) {
    interval_ = milliseconds;
    Apply();
}

void Win32Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Apply();
}

void Win32Timer::Apply() {
    HWND hwnd = form_.Hwnd();
    if (hwnd == nullptr) {
        return;
    }
    if (enabled_ && interval_ > 0) {
        ::SetTimer(hwnd, id_, static_cast<UINT>(interval_), nullptr);
    } else {
        ::KillTimer(hwnd, id_);
    }
}

void Win32Timer::Tick() {
    if (enabled_ && interval_ > 0 && onTick_) {
        auto onTick = onTick_;  // the handler may replace it
        form_.Context().pump.Invoke(onTick);
    }
}

}  // namespace win32

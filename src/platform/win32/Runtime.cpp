#include "platform/win32/Runtime.h"

#include <olectl.h>

#include <cmath>
#include <string>

#include "ResourceIds.h"
#include "platform/win32/Win32Window.h"

namespace win32 {

namespace {

int TwipsPerPixel(int pixelsPerInch) {
    return pixelsPerInch > 0 ? 1440 / pixelsPerInch : 15;
}

UniqueFont MakeFont(int weight, bool underline) {
    ScreenDc screen;
    LOGFONTW font{};
    // 8.25 points at the screen's resolution, as character height.
    font.lfHeight = -::MulDiv(825, ::GetDeviceCaps(screen.Get(), LOGPIXELSY), 7200);
    font.lfWeight = weight;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    ::lstrcpynW(font.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
    return UniqueFont(::CreateFontIndirectW(&font));
}

// The font's LOGFONT as kFontProperty publishes it.
std::wstring DescribeFont(HFONT font) {
    LOGFONTW logFont{};
    if (::GetObjectW(font, sizeof(logFont), &logFont) == 0) {
        return {};
    }
    // std::to_wstring rather than a string stream, which would link the
    // whole of the C++ locale machinery into the program.
    const auto field = [](long value) { return L';' + std::to_wstring(value); };
    return logFont.lfFaceName + field(logFont.lfHeight) + field(logFont.lfWeight) +
           field(logFont.lfItalic) + field(logFont.lfUnderline) + field(logFont.lfCharSet) +
           field(logFont.lfPitchAndFamily);
}

int FontIndex(platform::FontWeight weight) {
    return weight == platform::FontWeight::kBold ? 1 : 0;
}

UniqueIcon LoadSmallIcon(HINSTANCE instance, int id) {
    return UniqueIcon(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
}

}  // namespace

Runtime::Runtime(HINSTANCE instance) : instance_(instance), probe_(TimingProbe::FromEnvironment()) {
    {
        ScreenDc screen;
        twipsPerPixelX_ = TwipsPerPixel(::GetDeviceCaps(screen.Get(), LOGPIXELSX));
        twipsPerPixelY_ = TwipsPerPixel(::GetDeviceCaps(screen.Get(), LOGPIXELSY));
    }
    for (int bold = 0; bold < 2; ++bold) {
        for (int underline = 0; underline < 2; ++underline) {
            fonts_[bold][underline] = MakeFont(bold != 0 ? FW_BOLD : FW_NORMAL, underline != 0);
            const std::wstring description = DescribeFont(fonts_[bold][underline].Get());
            fontDescriptions_[bold][underline].Reset(::GlobalAddAtomW(description.c_str()));
        }
    }
    // The system's hand is shared and must not be destroyed: the program owns
    // a copy (the CopyCursor macro is CopyIcon).
    handCursor_.Reset(::CopyIcon(::LoadCursorW(nullptr, IDC_HAND)));
    windowIcon_ = LoadSmallIcon(instance_, CONVALIS_IDI_WINDOW);

    const std::pair<platform::Picture, int> pictures[] = {
        {platform::Picture::kClose, CONVALIS_IDI_CLOSE},
        {platform::Picture::kHide, CONVALIS_IDI_HIDE},
        {platform::Picture::kOptions, CONVALIS_IDI_OPTIONS},
        {platform::Picture::kAbout, CONVALIS_IDI_ABOUT},
        {platform::Picture::kHelp, CONVALIS_IDI_HELP},
        {platform::Picture::kEuroZone, CONVALIS_IDI_EUROZONE},
        {platform::Picture::kCross, CONVALIS_IDI_CROSS},
        {platform::Picture::kEuroSign, CONVALIS_IDI_EURO_SIGN},
        {platform::Picture::kQuestionMark, CONVALIS_IDI_QUESTION_MARK},
    };
    for (const auto& [picture, id] : pictures) {
        pictures_.emplace_back(picture, LoadSmallIcon(instance_, id));
    }
}

Runtime::~Runtime() {
    unloaded_.clear();
    for (const std::wstring& name : classes_) {
        ::UnregisterClassW(name.c_str(), instance_);
    }
}

void Runtime::RegisterWindowClass(const wchar_t* name, WNDPROC proc, HICON icon, UINT style) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = style;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = name;
    if (::RegisterClassExW(&windowClass) == 0) {
        throw platform::RuntimeError("Cannot register the window class");
    }
    classes_.emplace_back(name);
}

int Runtime::ToPixelsX(int twips) const {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixelX_));
}

int Runtime::ToPixelsY(int twips) const {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixelY_));
}

RECT Runtime::ToPixels(const platform::Bounds& bounds) const {
    const int left = ToPixelsX(bounds.left);
    const int top = ToPixelsY(bounds.top);
    return RECT{left, top, left + ToPixelsX(bounds.width), top + ToPixelsY(bounds.height)};
}

HFONT Runtime::Font(platform::FontWeight weight, bool underline) const {
    return fonts_[FontIndex(weight)][underline ? 1 : 0].Get();
}

void Runtime::PublishFont(HWND hwnd, platform::FontWeight weight, bool underline) const {
    const ATOM description = fontDescriptions_[FontIndex(weight)][underline ? 1 : 0].Get();
    ::SetPropW(hwnd, kFontProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(description)));
}

HICON Runtime::PictureIcon(platform::Picture picture) const {
    for (const auto& [name, icon] : pictures_) {
        if (name == picture) {
            return icon.Get();
        }
    }
    return nullptr;
}

bool Runtime::TranslateColor(platform::OleColor color, platform::Rgb* rgb) {
    COLORREF result = 0;
    if (::OleTranslateColor(color, nullptr, &result) != S_OK) {
        return false;
    }
    *rgb = result;
    return true;
}

platform::Rgb Runtime::Resolve(platform::OleColor color) {
    platform::Rgb rgb = 0;
    return TranslateColor(color, &rgb) ? rgb : 0;
}

Win32Window* Runtime::FindForm(HWND hwnd) const {
    auto found = forms_.find(hwnd);
    return found == forms_.end() ? nullptr : found->second;
}

DrawingDc* Runtime::FindDrawingDc(HDC dc) const {
    auto found = drawingDcs_.find(dc);
    return found == drawingDcs_.end() ? nullptr : found->second;
}

bool Runtime::PumpOne() {
    MSG msg{};
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (got == -1) {
        return false;
    }
    ProcessMessage(msg);
    return true;
}

void Runtime::ProcessMessage(MSG& msg) {
    if (probe_) {
        probe_->MessageArrived(msg);
    }
    Win32Window* form = msg.hwnd != nullptr ? FindForm(::GetAncestor(msg.hwnd, GA_ROOT)) : nullptr;
    if (form != nullptr) {
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            form->PreviewKey(msg);
            if (!::IsWindow(msg.hwnd) || form->NavigateByKey(msg)) {
                // The handler unloaded the window, or the key moved the focus:
                // nothing is left to dispatch.
                AfterMessage();
                return;
            }
        } else if (msg.message == WM_SYSCHAR) {
            // The windows have no menu: the default handling of Alt+letter
            // would only beep.
            AfterMessage();
            return;
        }
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    if (probe_) {
        probe_->MessageHandled(msg);
    }
    AfterMessage();
}

void Runtime::AfterMessage() {
    DeleteUnloaded();
    if (pending_) {
        std::rethrow_exception(std::exchange(pending_, nullptr));
    }
}

void Runtime::DeferDelete(std::unique_ptr<platform::Window> window) {
    unloaded_.push_back(std::move(window));
}

void Runtime::DeleteUnloaded() {
    // A window whose modal loop still runs is deleted once the loop is over.
    std::vector<std::unique_ptr<platform::Window>> ready;
    for (auto it = unloaded_.begin(); it != unloaded_.end();) {
        if (static_cast<Win32Window*>(it->get())->InModalLoop()) {
            ++it;
        } else {
            ready.push_back(std::move(*it));
            it = unloaded_.erase(it);
        }
    }
    ready.clear();
}

int KeyShiftState(const MSG& msg) {
    int state = 0;
    if (::GetKeyState(VK_SHIFT) < 0) {
        state |= platform::shift::kShift;
    }
    if (::GetKeyState(VK_CONTROL) < 0) {
        state |= platform::shift::kCtrl;
    }
    // A posted key leaves GetKeyState untouched: its context bit tells Alt.
    if ((msg.lParam & (1 << 29)) != 0 || ::GetKeyState(VK_MENU) < 0) {
        state |= platform::shift::kAlt;
    }
    return state;
}

MouseKind ReadMouse(const Runtime& runtime, UINT message, WPARAM wParam, LPARAM lParam,
                    platform::MouseEvent* event) {
    MouseKind kind = MouseKind::kNone;
    int button = 0;
    switch (message) {
        case WM_LBUTTONDOWN:
            kind = MouseKind::kDown;
            button = platform::button::kLeft;
            break;
        case WM_RBUTTONDOWN:
            kind = MouseKind::kDown;
            button = platform::button::kRight;
            break;
        case WM_MBUTTONDOWN:
            kind = MouseKind::kDown;
            button = platform::button::kMiddle;
            break;
        case WM_LBUTTONUP:
            kind = MouseKind::kUp;
            button = platform::button::kLeft;
            break;
        case WM_RBUTTONUP:
            kind = MouseKind::kUp;
            button = platform::button::kRight;
            break;
        case WM_MBUTTONUP:
            kind = MouseKind::kUp;
            button = platform::button::kMiddle;
            break;
        case WM_MOUSEMOVE:
            kind = MouseKind::kMove;
            // A move reports the buttons held.
            if ((wParam & MK_LBUTTON) != 0) {
                button |= platform::button::kLeft;
            }
            if ((wParam & MK_RBUTTON) != 0) {
                button |= platform::button::kRight;
            }
            if ((wParam & MK_MBUTTON) != 0) {
                button |= platform::button::kMiddle;
            }
            break;
        default:
            return MouseKind::kNone;
    }
    int state = 0;
    if ((wParam & MK_SHIFT) != 0) {
        state |= platform::shift::kShift;
    }
    if ((wParam & MK_CONTROL) != 0) {
        state |= platform::shift::kCtrl;
    }
    if (::GetKeyState(VK_MENU) < 0) {
        state |= platform::shift::kAlt;
    }
    // Signed client coordinates: a captured mouse may be left of or above
    // the window.
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    event->button = button;
    event->shift = state;
    event->x = static_cast<float>(runtime.ToTwipsX(x));
    event->y = static_cast<float>(runtime.ToTwipsY(y));
    return kind;
}

bool DeliverMouse(Runtime& runtime, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                  const std::function<void(MouseKind, const platform::MouseEvent&)>& deliver) {
    platform::MouseEvent event;
    const MouseKind kind = ReadMouse(runtime, message, wParam, lParam, &event);
    if (kind == MouseKind::kNone) {
        return false;
    }
    if (kind == MouseKind::kDown) {
        ::SetCapture(hwnd);
    }
    runtime.Invoke([&] { deliver(kind, event); });
    if (kind == MouseKind::kUp && ::GetCapture() == hwnd &&
        (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
        ::ReleaseCapture();
    }
    return true;
}

}  // namespace win32

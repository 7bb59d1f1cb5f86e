#include "Desktop.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>
#include <stdexcept>
#include <thread>

#include "platform/win32/Handles.h"

namespace e2e {

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;
constexpr std::chrono::milliseconds kPollInterval{10};

bool IsExtendedKey(WORD key) {
    const WORD extended[] = {VK_LEFT, VK_UP,  VK_RIGHT, VK_DOWN, VK_INSERT, VK_DELETE,
                             VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_DIVIDE};
    return std::find(std::begin(extended), std::end(extended), key) != std::end(extended);
}

INPUT KeyInput(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags =
        (down ? 0 : KEYEVENTF_KEYUP) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

INPUT MouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

DWORD ButtonDownFlag(MouseButton button) {
    return button == MouseButton::kLeft ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
}

DWORD ButtonUpFlag(MouseButton button) {
    return button == MouseButton::kLeft ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
}

// A button event at a screen pixel: the event carries its position, so
// that where it lands does not depend on earlier pointer moves. Absolute
// positions are in 0..65535, rounded up so that they map back to the pixel.
INPUT ButtonAt(POINT screenPoint, DWORD buttonFlag) {
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlag);
    input.mi.dx = (screenPoint.x * 65536 + width - 1) / width;
    input.mi.dy = (screenPoint.y * 65536 + height - 1) / height;
    return input;
}

bool SendMouse(std::vector<INPUT> inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}

struct ModuleFreer {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

// The active and the focused window of a thread.
GUITHREADINFO ThreadWindows(DWORD thread) {
    GUITHREADINFO state{};
    state.cbSize = sizeof(state);
    GetGUIThreadInfo(thread, &state);
    return state;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& keyPath,
                                               const std::wstring& valueName) {
    DWORD bytes = 0;
    if (RegGetValueW(root, keyPath.c_str(), valueName.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring value(bytes / sizeof(wchar_t), L'\0');
    if (RegGetValueW(root, keyPath.c_str(), valueName.c_str(), RRF_RT_REG_SZ, nullptr, value.data(),
                     &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

bool WriteRegistryString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                         const std::wstring& value) {
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetKeyValueW(root, keyPath.c_str(), valueName.c_str(), REG_SZ, value.c_str(),
                           bytes) == ERROR_SUCCESS;
}

}  // namespace

void HandleCloser::operator()(HANDLE handle) const {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
    }
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

std::string Utf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

bool ContainsNoCase(std::wstring_view text, std::wstring_view part) {
    const auto sameLetter = [](wchar_t a, wchar_t b) { return towlower(a) == towlower(b); };
    return std::search(text.begin(), text.end(), part.begin(), part.end(), sameLetter) !=
           text.end();
}

std::wstring WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied)) {
        return {};
    }
    text.resize(std::min<size_t>(copied, length));
    return text;
}

std::wstring WindowClass(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, static_cast<size_t>(std::max(length, 0)));
}

POINT Centre(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::string Describe(POINT point) {
    return "(" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
}

DWORD WindowProcess(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

int ScreenPixelsPerInchX() {
    win32::ScreenDc screen;
    return GetDeviceCaps(screen.Get(), LOGPIXELSX);
}

int ScaledToScreen(int pixels96) {
    return MulDiv(pixels96, ScreenPixelsPerInchX(), 96);
}

std::vector<COLORREF> ScreenPixels(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;

    win32::ScreenDc screen;
    win32::UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
    void* bits = nullptr;
    win32::UniqueBitmap copy(
        CreateDIBSection(memory.Get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !copy) {
        return {};
    }
    {
        win32::SelectionScope selected(memory.Get(), copy.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
        GdiFlush();
    }
    std::vector<COLORREF> pixels;
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (int i = 0; i < width * height; ++i) {
        pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    }
    return pixels;
}

std::vector<COLORREF> IconPixels(const std::wstring& file, int resource, int size,
                                 COLORREF ground) {
    Module module(LoadLibraryExW(file.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) {
        return {};
    }
    win32::UniqueIcon icon(static_cast<HICON>(
        LoadImageW(module.get(), MAKEINTRESOURCEW(resource), IMAGE_ICON, size, size, 0)));
    win32::ScreenDc screen;
    win32::UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
    win32::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), size, size));
    win32::UniqueBrush brush(CreateSolidBrush(ground));
    if (!icon || !memory || !bitmap || !brush) {
        return {};
    }
    win32::SelectionScope selected(memory.Get(), bitmap.Get());
    const RECT all{0, 0, size, size};
    FillRect(memory.Get(), &all, brush.Get());
    DrawIconEx(memory.Get(), 0, 0, icon.Get(), size, size, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            pixels.push_back(GetPixel(memory.Get(), x, y));
        }
    }
    return pixels;
}

COLORREF ScreenPixel(POINT point) {
    const std::vector<COLORREF> pixels = ScreenPixels({point.x, point.y, point.x + 1, point.y + 1});
    return pixels.empty() ? CLR_INVALID : pixels.front();
}

std::wstring TextOfWindowAndChildren(HWND window) {
    std::wstring all = WindowText(window);
    for (HWND child : ChildWindows(window)) {
        all += L'\n';
        all += WindowText(child);
    }
    return all;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool PressMessageBoxButton(HWND box, int buttonId) {
    HWND button = GetDlgItem(box, buttonId);
    return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0);
}

std::vector<DWORD> ProcessesNamed(std::wstring_view exeName) {
    std::vector<DWORD> found;
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE) {
        return found;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        const std::wstring_view name(entry.szExeFile);
        if (name.size() == exeName.size() && ContainsNoCase(name, exeName)) {
            found.push_back(entry.th32ProcessID);
        }
    }
    return found;
}

void TerminateProcessById(DWORD processId) {
    UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (process) {
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), static_cast<DWORD>(kPatience.count()));
    }
}

Keystroke WithAlt(WORD key) {
    return Keystroke{key, {VK_MENU}};
}
Keystroke WithShift(WORD key) {
    return Keystroke{key, {VK_SHIFT}};
}

void SendKeystrokes(const std::vector<Keystroke>& keys) {
    for (const Keystroke& stroke : keys) {
        std::vector<INPUT> inputs;
        for (WORD modifier : stroke.held) {
            inputs.push_back(KeyInput(modifier, true));
        }
        inputs.push_back(KeyInput(stroke.key, true));
        inputs.push_back(KeyInput(stroke.key, false));
        for (auto modifier = stroke.held.rbegin(); modifier != stroke.held.rend(); ++modifier) {
            inputs.push_back(KeyInput(*modifier, false));
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
}

bool PointerIsAt(POINT screenPoint) {
    POINT now{};
    return GetCursorPos(&now) && now.x == screenPoint.x && now.y == screenPoint.y;
}

bool KeepPointerAt(POINT screenPoint) {
    if (PointerIsAt(screenPoint)) {
        return true;
    }
    SetCursorPos(screenPoint.x, screenPoint.y);
    return false;
}

bool NudgePointerTo(POINT screenPoint) {
    return SendMouse({ButtonAt({screenPoint.x + 1, screenPoint.y}, 0), ButtonAt(screenPoint, 0)});
}

bool PlacePointer(POINT screenPoint) {
    return WaitUntil([screenPoint] { return KeepPointerAt(screenPoint); });
}

bool PressButtonAt(POINT screenPoint, MouseButton button) {
    return SendMouse({ButtonAt(screenPoint, ButtonDownFlag(button))});
}

bool ReleaseButtonAt(POINT screenPoint, MouseButton button) {
    return SendMouse({ButtonAt(screenPoint, ButtonUpFlag(button))});
}

bool SendClick(POINT screenPoint) {
    return PlacePointer(screenPoint) && SendMouse({ButtonAt(screenPoint, MOUSEEVENTF_LEFTDOWN),
                                                   ButtonAt(screenPoint, MOUSEEVENTF_LEFTUP)});
}

bool SendDoubleClick(POINT screenPoint) {
    return PlacePointer(screenPoint) && SendMouse({ButtonAt(screenPoint, MOUSEEVENTF_LEFTDOWN),
                                                   ButtonAt(screenPoint, MOUSEEVENTF_LEFTUP),
                                                   ButtonAt(screenPoint, MOUSEEVENTF_LEFTDOWN),
                                                   ButtonAt(screenPoint, MOUSEEVENTF_LEFTUP)});
}

HWND MouseCaptureOf(HWND window) {
    return ThreadWindows(GetWindowThreadProcessId(window, nullptr)).hwndCapture;
}

// Wine records the new foreground window at once and lets the window's own
// thread activate it and focus it later; keys sent before that are lost.
bool BringToForeground(HWND window) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return WaitUntil([&] {
        if (GetForegroundWindow() != window) {
            SetForegroundWindow(window);
            return false;
        }
        const GUITHREADINFO state = ThreadWindows(thread);
        return state.hwndActive == window &&
               (state.hwndFocus == window || IsChild(window, state.hwndFocus));
    });
}

ScopedRegistryString::ScopedRegistryString(HKEY root, std::wstring keyPath, std::wstring valueName,
                                           const std::wstring& value)
    : root_(root),
      keyPath_(std::move(keyPath)),
      valueName_(std::move(valueName)),
      previous_(ReadRegistryString(root_, keyPath_, valueName_)) {
    if (!WriteRegistryString(root_, keyPath_, valueName_, value)) {
        throw std::runtime_error("cannot write " + Utf8(keyPath_) + " " + Utf8(valueName_));
    }
}

ScopedRegistryString::~ScopedRegistryString() {
    if (previous_) {
        WriteRegistryString(root_, keyPath_, valueName_, *previous_);
    } else {
        RegDeleteKeyValueW(root_, keyPath_.c_str(), valueName_.c_str());
    }
}

}  // namespace e2e

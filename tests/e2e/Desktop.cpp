#include "Desktop.h"

#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <thread>
#include <type_traits>

#include "platform/win32/ComPtr.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"

namespace e2e {

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;
constexpr std::chrono::milliseconds kPollInterval{10};

INPUT KeyInput(WORD key, bool down) {
    const WORD extended[] = {VK_LEFT, VK_UP,  VK_RIGHT, VK_DOWN, VK_INSERT, VK_DELETE,
                             VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_DIVIDE};
    const bool isExtended =
        std::find(std::begin(extended), std::end(extended), key) != std::end(extended);
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (isExtended ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

// A mouse event at a screen pixel: the event carries its position, so that
// where it lands does not depend on earlier pointer moves. Absolute
// positions are in 0..65535, rounded up so that they map back to the pixel.
INPUT MouseAt(POINT screenPoint, DWORD buttonFlag) {
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlag;
    input.mi.dx = (screenPoint.x * 65536 + width - 1) / width;
    input.mi.dy = (screenPoint.y * 65536 + height - 1) / height;
    return input;
}

// The active, focused and capturing windows of a thread.
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

bool WriteRegistryString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                         const std::wstring& value) {
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetKeyValueW(root, keyPath.c_str(), valueName.c_str(), REG_SZ, value.c_str(),
                           bytes) == ERROR_SUCCESS;
}

std::vector<DWORD> HelpViewerProcesses() {
    std::vector<DWORD> found;
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        if (lstrcmpiW(entry.szExeFile, L"winhlp32.exe") == 0) {
            found.push_back(entry.th32ProcessID);
        }
    }
    return found;
}

}  // namespace

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
    return win32::Narrow(text.data(), static_cast<int>(text.size()));
}

bool ContainsNoCase(std::wstring_view text, std::wstring_view part) {
    const auto sameLetter = [](wchar_t a, wchar_t b) { return towlower(a) == towlower(b); };
    return std::search(text.begin(), text.end(), part.begin(), part.end(), sameLetter) !=
           text.end();
}

std::wstring WindowText(HWND window) {
    std::wstring texts;
    std::vector<HWND> windows = ChildWindows(window);
    windows.insert(windows.begin(), window);
    for (HWND each : windows) {
        DWORD_PTR length = 0, copied = 0;
        if (SendMessageTimeoutW(each, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                                &length)) {
            std::wstring text(length + 1, L'\0');
            SendMessageTimeoutW(each, WM_GETTEXT, text.size(),
                                reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                                kAnswerTimeoutMs, &copied);
            texts +=
                (each == window ? L"" : L"\n") + text.substr(0, std::min<size_t>(copied, length));
        }
    }
    return texts;
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

COLORREF ScreenPixel(POINT point) {
    const std::vector<COLORREF> pixels = ScreenPixels({point.x, point.y, point.x + 1, point.y + 1});
    return pixels.empty() ? CLR_INVALID : pixels.front();
}

std::vector<COLORREF> IconPixels(const std::wstring& file, int resource, int size,
                                 COLORREF ground) {
    const auto freeLibrary = [](HMODULE module) { FreeLibrary(module); };
    std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(freeLibrary)> module(
        LoadLibraryExW(file.c_str(), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE),
        freeLibrary);
    win32::UniqueIcon icon(
        module ? static_cast<HICON>(LoadImageW(module.get(), MAKEINTRESOURCEW(resource), IMAGE_ICON,
                                               size, size, 0))
               : nullptr);
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

bool PlacePointer(POINT screenPoint) {
    return WaitUntil([screenPoint] {
        POINT now{};
        if (GetCursorPos(&now) && now.x == screenPoint.x && now.y == screenPoint.y) {
            return true;
        }
        SetCursorPos(screenPoint.x, screenPoint.y);
        return false;
    });
}

bool SendButtons(POINT screenPoint, const std::vector<DWORD>& buttons) {
    std::vector<INPUT> inputs;
    for (DWORD button : buttons) {
        inputs.push_back(MouseAt(screenPoint, button));
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}

bool SendClick(POINT screenPoint, int clicks) {
    std::vector<DWORD> buttons;
    for (int click = 0; click < clicks; ++click) {
        buttons.insert(buttons.end(), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    }
    return PlacePointer(screenPoint) && SendButtons(screenPoint, buttons);
}

HWND MouseCaptureOf(HWND window) {
    return ThreadWindows(GetWindowThreadProcessId(window, nullptr)).hwndCapture;
}

ScopedRegistryString::ScopedRegistryString(HKEY root, std::wstring keyPath, std::wstring valueName,
                                           const std::wstring& value)
    : root_(root), keyPath_(std::move(keyPath)), valueName_(std::move(valueName)) {
    wchar_t previous[1024] = {};
    DWORD bytes = sizeof(previous);
    if (RegGetValueW(root_, keyPath_.c_str(), valueName_.c_str(), RRF_RT_REG_SZ, nullptr, previous,
                     &bytes) == ERROR_SUCCESS) {
        previous_ = previous;
    }
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

// A message box is of the dialog class; the viewer's main window is owned by none.
HWND FindHelpViewer(bool dialog) {
    const std::vector<DWORD> viewers = HelpViewerProcesses();
    for (HWND window : TopLevelWindows()) {
        wchar_t name[8] = {};
        GetClassNameW(window, name, 8);
        if (std::find(viewers.begin(), viewers.end(), WindowProcess(window)) != viewers.end() &&
            IsWindowVisible(window) && (std::wstring(name) == L"#32770") == dialog &&
            (dialog || GetWindow(window, GW_OWNER) == nullptr)) {
            return window;
        }
    }
    return nullptr;
}

void EndHelpViewers() {
    for (DWORD viewer : HelpViewerProcesses()) {
        UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, viewer));
        if (process) {
            TerminateProcess(process.Get(), 1);
            WaitForSingleObject(process.Get(), static_cast<DWORD>(kPatience.count()));
        }
    }
}

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return path;
}

std::wstring StartupShortcutPath() {
    return ShellFolder(CSIDL_STARTUP) + L"\\Convalis.lnk";
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<unsigned char> FileBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::optional<Shortcut> ReadShortcut(const std::wstring& path) {
    win32::ComPtr<IShellLinkW> link;
    win32::ComPtr<IPersistFile> file;
    wchar_t target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, icon[MAX_PATH] = {};
    Shortcut read;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.PutVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) ||
        FAILED(file->Load(path.c_str(), STGM_READ)) ||
        FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_UNCPRIORITY)) ||
        FAILED(link->GetArguments(arguments, MAX_PATH)) ||
        FAILED(link->GetIconLocation(icon, MAX_PATH, &read.iconIndex))) {
        return std::nullopt;
    }
    read.target = target;
    read.arguments = arguments;
    read.iconFile = icon;
    return read;
}

}  // namespace e2e

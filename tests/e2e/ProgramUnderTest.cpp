#include "ProgramUnderTest.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

namespace {

constexpr wchar_t kMainWindowTitle[] = L"Convalis";
constexpr wchar_t kForeColorProperty[] = L"Convalis.ForeColor";
constexpr std::chrono::milliseconds kPoliteCloseLimit{10000};

std::wstring& ExecutablePath() {
    static std::wstring path;
    return path;
}

std::wstring TopLevelTitle(HWND window) {
    wchar_t title[256] = {};
    const int length = GetWindowTextW(window, title, static_cast<int>(std::size(title)));
    return std::wstring(title, static_cast<size_t>(std::max(length, 0)));
}

struct PropertySearch {
    ATOM atom;
    bool found;
};

BOOL CALLBACK MatchProperty(HWND, LPWSTR name, HANDLE, ULONG_PTR search) {
    auto* wanted = reinterpret_cast<PropertySearch*>(search);
    const bool match = IS_INTRESOURCE(name)
                           ? LOWORD(reinterpret_cast<ULONG_PTR>(name)) == wanted->atom
                           : lstrcmpiW(name, kForeColorProperty) == 0;
    wanted->found = wanted->found || match;
    return !match;
}

// GetPropW gives 0 both for black and for a missing property; a property
// list search tells them apart.
bool HasForeColorProperty(HWND window) {
    PropertySearch search{GlobalFindAtomW(kForeColorProperty), false};
    EnumPropsExW(window, MatchProperty, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

WORD KeyForCharacter(wchar_t character) {
    if (character == L',') {
        return VK_OEM_COMMA;
    }
    return static_cast<WORD>(character);  // '0'..'9' are their own key codes
}

std::string Quoted(std::wstring_view text) {
    return "\"" + Utf8(text) + "\"";
}

}  // namespace

void ProgramUnderTest::SetExecutable(std::wstring path) {
    ExecutablePath() = std::move(path);
}

const std::wstring& ProgramUnderTest::Executable() {
    return ExecutablePath();
}

std::wstring ProgramUnderTest::Folder() {
    const std::wstring& path = Executable();
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

ProgramUnderTest::ProgramUnderTest(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + Executable() + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    // A pointer resting on a button would open its tooltip over the window.
    SetCursorPos(0, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(Executable().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &started)) {
        ADD_FAILURE() << "cannot start " << Utf8(commandLine) << " (error " << GetLastError()
                      << ")";
        return;
    }
    UniqueHandle thread(started.hThread);
    process_.reset(started.hProcess);
    processId_ = started.dwProcessId;
}

ProgramUnderTest::~ProgramUnderTest() {
    Close();
}

bool ProgramUnderTest::WaitForExit(std::chrono::milliseconds limit) const {
    return process_ &&
           WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> ProgramUnderTest::ExitCode() const {
    DWORD code = 0;
    if (!process_ || !GetExitCodeProcess(process_.get(), &code) || code == STILL_ACTIVE) {
        return std::nullopt;
    }
    return code;
}

HWND ProgramUnderTest::FindMainWindow() const {
    for (HWND window : TopLevelWindows()) {
        if (WindowProcess(window) == processId_ && TopLevelTitle(window) == kMainWindowTitle) {
            return window;
        }
    }
    return nullptr;
}

HWND ProgramUnderTest::WaitForMainWindow() {
    if (!process_) {
        return nullptr;
    }
    WaitUntil([this] { return FindMainWindow() != nullptr || WaitForExit({}); });
    main_ = FindMainWindow();
    if (main_ != nullptr) {
        WaitForInputIdle(process_.get(), static_cast<DWORD>(kPatience.count()));
        AwaitMessageRoundTrip();
    }
    return main_;
}

bool ProgramUnderTest::AwaitMessageRoundTrip() const {
    DWORD_PTR ignored = 0;
    return main_ != nullptr &&
           SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL,
                               static_cast<UINT>(kPatience.count()), &ignored) != 0;
}

HWND ProgramUnderTest::Control(std::wstring_view name) const {
    const ATOM id = GlobalFindAtomW(std::wstring(name).c_str());
    return id == 0 || main_ == nullptr ? nullptr : GetDlgItem(main_, id);
}

std::wstring ProgramUnderTest::Text(std::wstring_view name) const {
    HWND control = Control(name);
    return control == nullptr ? std::wstring() : WindowText(control);
}

std::optional<COLORREF> ProgramUnderTest::ForeColor(std::wstring_view name) const {
    HWND control = Control(name);
    if (control == nullptr || !HasForeColorProperty(control)) {
        return std::nullopt;
    }
    return static_cast<COLORREF>(
        reinterpret_cast<ULONG_PTR>(GetPropW(control, kForeColorProperty)));
}

testing::AssertionResult ProgramUnderTest::Shows(
    const std::vector<std::pair<std::wstring, std::wstring>>& expected) const {
    const auto allShown = [&] {
        for (const auto& [name, text] : expected) {
            if (Text(name) != text) {
                return false;
            }
        }
        return true;
    };
    if (WaitUntil(allShown)) {
        return testing::AssertionSuccess();
    }
    testing::AssertionResult failure = testing::AssertionFailure();
    for (const auto& [name, text] : expected) {
        failure << "\n  " << Utf8(name);
        if (Control(name) == nullptr) {
            failure << ": no such control";
        } else {
            failure << " shows " << Quoted(Text(name)) << ", expected " << Quoted(text);
        }
    }
    return failure;
}

testing::AssertionResult ProgramUnderTest::Shows(std::wstring_view name,
                                                 std::wstring_view text) const {
    return Shows({{std::wstring(name), std::wstring(text)}});
}

testing::AssertionResult ProgramUnderTest::HasTextColour(std::wstring_view name,
                                                         COLORREF colour) const {
    if (WaitUntil([&] { return ForeColor(name) == colour; })) {
        return testing::AssertionSuccess();
    }
    const std::optional<COLORREF> actual = ForeColor(name);
    return testing::AssertionFailure()
           << Utf8(name) << " has text colour "
           << (actual ? Describe(*actual) : std::string("(no Convalis.ForeColor property)"))
           << ", expected " << Describe(colour);
}

testing::AssertionResult ProgramUnderTest::IsDrawnIn(std::wstring_view name, COLORREF colour,
                                                     COLORREF otherColour) const {
    HWND control = Control(name);
    if (control == nullptr) {
        return testing::AssertionFailure() << "no control " << Utf8(name);
    }
    size_t inColour = 0;
    size_t inOtherColour = 0;
    const auto drawn = [&] {
        const std::vector<COLORREF> pixels = ScreenPixels(WindowRect(control));
        inColour = static_cast<size_t>(std::count(pixels.begin(), pixels.end(), colour));
        inOtherColour = static_cast<size_t>(std::count(pixels.begin(), pixels.end(), otherColour));
        return inColour > 0 && inOtherColour == 0;
    };
    if (WaitUntil(drawn)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << Utf8(name) << " on screen has " << inColour << " pixels in " << Describe(colour)
           << " (expected some) and " << inOtherColour << " in " << Describe(otherColour)
           << " (expected none)";
}

void ProgramUnderTest::Press(const std::vector<Keystroke>& keys) const {
    if (main_ == nullptr || !BringToForeground(main_)) {
        ADD_FAILURE() << "the main window did not become the foreground window";
        return;
    }
    SendKeystrokes(keys);
}

void ProgramUnderTest::Type(std::wstring_view amount) const {
    std::vector<Keystroke> keys;
    for (wchar_t character : amount) {
        keys.push_back({KeyForCharacter(character), {}});
    }
    Press(keys);
}

void ProgramUnderTest::Click(std::wstring_view name) const {
    HWND control = Control(name);
    if (control == nullptr) {
        ADD_FAILURE() << "no control " << Utf8(name) << " to click";
        return;
    }
    if (!BringToForeground(main_)) {
        ADD_FAILURE() << "the main window did not become the foreground window";
        return;
    }
    const RECT rect = WindowRect(control);
    if (!SendClick({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2})) {
        ADD_FAILURE() << "cannot place the mouse pointer on " << Utf8(name);
    }
}

void ProgramUnderTest::Close() {
    if (!process_ || WaitForExit({})) {
        return;
    }
    HWND window = FindMainWindow();
    if (window != nullptr) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (window == nullptr || !WaitForExit(kPoliteCloseLimit)) {
        TerminateProcess(process_.get(), 1);
        WaitForExit();
    }
}

std::string Describe(COLORREF colour) {
    char text[32];
    std::snprintf(text, sizeof(text), "RGB(%u, %u, %u)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

}  // namespace e2e

#include "ProgramWindow.h"

#include <algorithm>
#include <tuple>

namespace e2e {

namespace {

// What a screen reader reads of a control the tests name by the program's
// name for it: its role and its name, or for a display the caption its
// name starts with ("prix en euros 15,24"), or any name; and, among the
// controls that read alike, its place in reading order (top to bottom,
// then left to right), whatever order the window lists them in.
struct Description {
    WindowKind kind;
    std::wstring control;
    LONG role;
    std::wstring name;  // the whole name, or a display's caption; empty: any
    bool caption = false;
    int ordinal = 0;
};

std::vector<Description> MakeTable() {
    using K = WindowKind;
    const LONG text = ROLE_SYSTEM_STATICTEXT, button = ROLE_SYSTEM_PUSHBUTTON;
    std::vector<Description> table = {
        {K::kMain, L"nrvFocus", ROLE_SYSTEM_GRAPHIC, L""},
        {K::kEuroZone, L"lblEti(0)", text, L"prix en"},
        {K::kEuroZone, L"lblEti(2)", text, L"prix en euros"},
        {K::kEuroZone, L"lblP(0)", text, L"prix en", true, 0},
        {K::kEuroZone, L"lblP(1)", text, L"prix en", true, 1},
        {K::kEuroZone, L"lblP(2)", text, L"prix en euros", true},
        {K::kOptions, L"chkDémarrage", ROLE_SYSTEM_CHECKBUTTON, L"Lancer au démarrage de Windows"},
        {K::kOptions, L"chkAppoint", ROLE_SYSTEM_CHECKBUTTON, L"Activer l'appoint en Euros"},
        {K::kOptions, L"lblAction(0)", button, L"OK"},
        {K::kOptions, L"lblAction(1)", button, L"Annuler"},
        {K::kAbout, L"lblTitle", text, L"Convalis"},
        {K::kAbout, L"lblWeb", ROLE_SYSTEM_LINK, L"", false, 0},
        {K::kAbout, L"lblMail", ROLE_SYSTEM_LINK, L"", false, 1}};
    const wchar_t* captions[] = {L"prix en francs", L"payé (en francs)", L"prix en euros",
                                 L"appoint (en euros)"};
    const wchar_t* buttons[] = {L"Fermer Alt+F4",  L"Réduire Alt+R",         L"Options Alt+O",
                                L"A propos de...", L"Aide sur Convalis  F1", L"Zone Euro Alt+Z"};
    const auto indexed = [](const wchar_t* name, int index) {
        return std::wstring(name) + L"(" + std::to_wstring(index) + L")";
    };
    for (int i = 0; i < 6; ++i) {
        table.push_back({K::kMain, indexed(L"imaCommand", i), button, buttons[i]});
        if (i < 4) {
            table.push_back({K::kMain, indexed(L"lblEti", i), text, captions[i]});
            table.push_back({K::kMain, indexed(L"lblP", i), text, captions[i], true});
        }
        if (i < 3) {  // the euro-zone window has the main window's close, about and help
            table.push_back(
                {K::kEuroZone, indexed(L"imaCommand", i), button, buttons[i == 0 ? 0 : i + 2]});
        }
    }
    return table;
}

}  // namespace

bool AwaitMessageRoundTrip(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL,
                               static_cast<UINT>(kPatience.count()), &ignored) != 0;
}

bool ProgramWindow::IsOfKind(HWND window, WindowKind kind) {
    // The control that only a window of that kind has.
    const wchar_t* marks[] = {L"imaCommand(5)", L"lblEti(0)", L"chkAppoint", L"lblTitle"};
    return ProgramWindow(window, kind).Find(marks[static_cast<int>(kind)]).has_value();
}

std::optional<AccessibleView> ProgramWindow::Find(std::wstring_view name) const {
    static const std::vector<Description> table = MakeTable();
    const auto description = std::find_if(
        table.begin(), table.end(),
        [&](const Description& entry) { return entry.kind == kind_ && entry.control == name; });
    if (description == table.end()) {
        ADD_FAILURE() << "the tests do not describe " << Utf8(name) << " in this window";
        return std::nullopt;
    }
    const std::wstring& described = description->name;
    std::vector<AccessibleView> alike;
    for (const AccessibleView& view : AccessibleChildrenOf(window_)) {
        if (view.role == description->role &&
            (description->caption ? view.name.rfind(described + L" ", 0) == 0
                                  : described.empty() || view.name == described)) {
            alike.push_back(view);
        }
    }
    std::stable_sort(alike.begin(), alike.end(),
                     [](const AccessibleView& a, const AccessibleView& b) {
                         return std::tie(a.location.top, a.location.left) <
                                std::tie(b.location.top, b.location.left);
                     });
    if (static_cast<int>(alike.size()) <= description->ordinal) {
        return std::nullopt;
    }
    AccessibleView found = alike[static_cast<std::size_t>(description->ordinal)];
    if (description->caption) {
        found.name.erase(0, described.size() + 1);
    }
    return found;
}

// Each wait's outcome, with what it saw last: the wait comes first, as the
// left operand of <<.
testing::AssertionResult ProgramWindow::Shows(std::wstring_view name,
                                              std::wstring_view text) const {
    std::wstring shown;
    return testing::AssertionResult(WaitUntil([&] { return (shown = Text(name)) == text; }))
           << Utf8(name) << " shows \"" << Utf8(shown) << "\", expected \"" << Utf8(text) << "\"";
}

testing::AssertionResult ProgramWindow::HasState(std::wstring_view name, LONG state,
                                                 bool has) const {
    std::optional<AccessibleView> found;
    return testing::AssertionResult(WaitUntil(
               [&] { return (found = Find(name)) && ((found->state & state) != 0) == has; }))
           << Utf8(name) << (has ? " lacks" : " has") << " state " << state
           << (found ? "" : " (no such control)");
}

testing::AssertionResult ProgramWindow::IsDrawnIn(std::wstring_view name, COLORREF colour,
                                                  COLORREF otherColour) const {
    const RECT place = Location(name);
    std::ptrdiff_t inColour = 0, inOtherColour = 0;
    return testing::AssertionResult(WaitUntil([&] {
               const std::vector<COLORREF> pixels = ScreenPixels(place);
               inColour = std::count(pixels.begin(), pixels.end(), colour);
               inOtherColour = std::count(pixels.begin(), pixels.end(), otherColour);
               return inColour > 0 && inOtherColour == 0;
           }))
           << Utf8(name) << " on screen has " << inColour << " pixels in " << Describe(colour)
           << " (expected some) and " << inOtherColour << " in " << Describe(otherColour)
           << " (expected none)";
}

testing::AssertionResult ProgramWindow::ShowsColourAt(const std::vector<POINT>& points,
                                                      COLORREF colour) const {
    std::string seen;
    return testing::AssertionResult(WaitUntil([&] {
               seen.clear();
               for (POINT point : points) {
                   const COLORREF shown = ScreenPixel(ScreenPoint(point));
                   seen += shown == colour ? ""
                                           : "\n  " + Describe(point) + " shows " + Describe(shown);
               }
               return seen.empty();
           }))
           << "expected " << Describe(colour) << " at each point of the window:" << seen;
}

std::vector<COLORREF> ProgramWindow::SettledLook(const RECT& area) const {
    // A paint reaches the screen after the program has handled it, once it
    // is back at its messages: a look read too early may be a dialog's
    // half-painted first image, which a later paint changes without cause.
    std::vector<COLORREF> look;
    int unchanged = 0;
    const bool settled = WaitUntil([&] {
        const std::vector<HWND> children = ChildWindows(window_);
        const bool painting = GetUpdateRect(window_, nullptr, FALSE) ||
                              std::any_of(children.begin(), children.end(), [](HWND child) {
                                  return GetUpdateRect(child, nullptr, FALSE) != FALSE;
                              });
        if (painting || !AwaitMessageRoundTrip(window_)) {
            unchanged = 0;
            return false;
        }
        std::vector<COLORREF> now = ScreenPixels(area);
        unchanged = now == look ? unchanged + 1 : 0;
        look = std::move(now);
        return unchanged == 3;
    });
    return settled ? look : std::vector<COLORREF>();
}

void ProgramWindow::Press(const std::vector<Keystroke>& keys) const {
    if (window_ == nullptr || !BringToForeground(window_)) {
        ADD_FAILURE() << "the window did not become the foreground window";
        return;
    }
    SendKeystrokes(keys);
}

void ProgramWindow::Type(std::wstring_view amount) const {
    std::vector<Keystroke> keys;
    for (wchar_t character : amount) {
        // Digits are their own key codes.
        keys.push_back({character == L',' ? WORD{VK_OEM_COMMA} : static_cast<WORD>(character)});
    }
    Press(keys);
}

void ProgramWindow::Click(std::wstring_view name) const {
    const std::optional<AccessibleView> control = Find(name);
    if (!control || !BringToForeground(window_) || !SendClick(Centre(control->location))) {
        ADD_FAILURE() << "cannot click " << Utf8(name);
    }
}

testing::AssertionResult ProgramWindow::PressAndReleaseAlong(std::wstring_view name,
                                                             const std::vector<POINT>& path) const {
    const POINT from = Centre(Location(name));
    if (!BringToForeground(window_) || !PlacePointer(from) ||
        !SendButtons(from, {MOUSEEVENTF_LEFTDOWN}) ||
        !WaitUntil([&] { return MouseCaptureOf(window_) != nullptr; })) {
        SendButtons(from, {MOUSEEVENTF_LEFTUP});
        return testing::AssertionFailure() << "the press on " << Utf8(name) << " took no mouse";
    }
    // Each move carries its place; the pointer is there once the system says so.
    for (const POINT point : path) {
        SendButtons(point, {0});
        PlacePointer(point);
    }
    return testing::AssertionResult(SendButtons(path.back(), {MOUSEEVENTF_LEFTUP}) &&
                                    WaitUntil([&] { return MouseCaptureOf(window_) == nullptr; }))
           << "the program kept the mouse after the release";
}

POINT ProgramWindow::ScreenPoint(POINT inWindow) const {
    const RECT rect = WindowRect(window_);
    return {rect.left + inWindow.x, rect.top + inWindow.y};
}

std::string Describe(COLORREF colour) {
    return "RGB(" + std::to_string(GetRValue(colour)) + ", " + std::to_string(GetGValue(colour)) +
           ", " + std::to_string(GetBValue(colour)) + ")";
}

}  // namespace e2e

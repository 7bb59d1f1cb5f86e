#include "ProgramWindow.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

namespace {

// What a screen reader reads of a control: its role and its name, or for a
// display the caption its name starts with ("prix en euros 15,24"); and,
// among the controls that read alike, its place in reading order (top to
// bottom, then left to right), whatever order the window lists them in.
struct Description {
    LONG role;
    std::wstring name;  // the whole name, or a display's caption; empty: any
    bool caption = false;
    int ordinal = 0;
};

struct TableEntry {
    WindowKind kind;
    std::wstring control;
    Description description;
};

Description Named(LONG role, const wchar_t* name) {
    return {role, name};
}
Description DisplayOf(const wchar_t* caption, int ordinal = 0) {
    return {ROLE_SYSTEM_STATICTEXT, caption, true, ordinal};
}
Description Nth(LONG role, int ordinal) {
    return {role, L"", false, ordinal};
}

std::wstring Indexed(const wchar_t* name, int index) {
    return std::wstring(name) + L"(" + std::to_wstring(index) + L")";
}

// The controls the tests name, by the names the program gives them.
std::vector<TableEntry> MakeTable() {
    using K = WindowKind;
    std::vector<TableEntry> table;
    const wchar_t* captions[] = {L"prix en francs", L"payé (en francs)", L"prix en euros",
                                 L"appoint (en euros)"};
    for (int i = 0; i < 4; ++i) {
        table.push_back(
            {K::kMain, Indexed(L"lblEti", i), Named(ROLE_SYSTEM_STATICTEXT, captions[i])});
        table.push_back({K::kMain, Indexed(L"lblP", i), DisplayOf(captions[i])});
    }
    const wchar_t* buttons[] = {L"Fermer Alt+F4",  L"Réduire Alt+R",         L"Options Alt+O",
                                L"A propos de...", L"Aide sur Convalis  F1", L"Zone Euro Alt+Z"};
    for (int i = 0; i < 6; ++i) {
        table.push_back(
            {K::kMain, Indexed(L"imaCommand", i), Named(ROLE_SYSTEM_PUSHBUTTON, buttons[i])});
    }
    for (int i = 0; i < 3; ++i) {
        table.push_back({K::kMain, Indexed(L"Line1", i), Nth(ROLE_SYSTEM_SEPARATOR, i)});
        // The euro-zone window has the main window's close, about and help.
        table.push_back({K::kEuroZone, Indexed(L"imaCommand", i),
                         Named(ROLE_SYSTEM_PUSHBUTTON, buttons[i == 0 ? 0 : i + 2])});
    }
    table.insert(table.end(),
                 {{K::kMain, L"nrvFocus", Nth(ROLE_SYSTEM_GRAPHIC, 0)},
                  {K::kEuroZone, L"lblEti(0)", Named(ROLE_SYSTEM_STATICTEXT, L"prix en")},
                  {K::kEuroZone, L"lblEti(2)", Named(ROLE_SYSTEM_STATICTEXT, L"prix en euros")},
                  {K::kEuroZone, L"lblP(0)", DisplayOf(L"prix en", 0)},
                  {K::kEuroZone, L"lblP(1)", DisplayOf(L"prix en", 1)},
                  {K::kEuroZone, L"lblP(2)", DisplayOf(L"prix en euros")},
                  {K::kOptions, L"chkDémarrage",
                   Named(ROLE_SYSTEM_CHECKBUTTON, L"Lancer au démarrage de Windows")},
                  {K::kOptions, L"chkAppoint",
                   Named(ROLE_SYSTEM_CHECKBUTTON, L"Activer l'appoint en Euros")},
                  {K::kOptions, L"lblAction(0)", Named(ROLE_SYSTEM_PUSHBUTTON, L"OK")},
                  {K::kOptions, L"lblAction(1)", Named(ROLE_SYSTEM_PUSHBUTTON, L"Annuler")},
                  {K::kOptions, L"imaCommand", Named(ROLE_SYSTEM_PUSHBUTTON, buttons[0])},
                  {K::kAbout, L"lblTitle", Named(ROLE_SYSTEM_STATICTEXT, L"Convalis")},
                  {K::kAbout, L"lblWeb", Nth(ROLE_SYSTEM_LINK, 0)},
                  {K::kAbout, L"lblMail", Nth(ROLE_SYSTEM_LINK, 1)},
                  {K::kAbout, L"imaCommand", Named(ROLE_SYSTEM_PUSHBUTTON, buttons[0])}});
    return table;
}

const Description* DescriptionOf(WindowKind kind, std::wstring_view control) {
    static const std::vector<TableEntry> table = MakeTable();
    for (const TableEntry& entry : table) {
        if (entry.kind == kind && entry.control == control) {
            return &entry.description;
        }
    }
    return nullptr;
}

// The control that only a window of each kind has.
const wchar_t* MarkOf(WindowKind kind) {
    switch (kind) {
        case WindowKind::kMain:
            return L"imaCommand(5)";
        case WindowKind::kEuroZone:
            return L"lblEti(0)";
        case WindowKind::kOptions:
            return L"chkAppoint";
        case WindowKind::kAbout:
            return L"lblTitle";
    }
    return L"";
}

bool Matches(const Description& description, const AccessibleView& view) {
    if (view.role != description.role) {
        return false;
    }
    if (description.caption) {
        return view.name.rfind(description.name + L" ", 0) == 0;
    }
    return description.name.empty() || view.name == description.name;
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

// Whether the system has a paint of `window` or of a window in it pending.
bool PaintPending(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) {
        return true;
    }
    const std::vector<HWND> children = ChildWindows(window);
    return std::any_of(children.begin(), children.end(),
                       [](HWND child) { return GetUpdateRect(child, nullptr, FALSE) != FALSE; });
}

// Waits until the window's thread has come back to its messages.
bool AwaitMessageRoundTrip(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL,
                               static_cast<UINT>(kPatience.count()), &ignored) != 0;
}

}  // namespace

bool ProgramWindow::IsOfKind(HWND window, WindowKind kind) {
    return ProgramWindow(window, kind).Find(MarkOf(kind)).has_value();
}

std::optional<AccessibleView> ProgramWindow::Find(const std::vector<AccessibleView>& children,
                                                  std::wstring_view name) const {
    const Description* description = DescriptionOf(kind_, name);
    if (description == nullptr) {
        ADD_FAILURE() << "the tests do not describe " << Utf8(name) << " in this window";
        return std::nullopt;
    }
    std::vector<AccessibleView> alike;
    std::copy_if(children.begin(), children.end(), std::back_inserter(alike),
                 [&](const AccessibleView& view) { return Matches(*description, view); });
    std::stable_sort(alike.begin(), alike.end(),
                     [](const AccessibleView& a, const AccessibleView& b) {
                         return std::make_pair(a.location.top, a.location.left) <
                                std::make_pair(b.location.top, b.location.left);
                     });
    if (static_cast<int>(alike.size()) <= description->ordinal) {
        return std::nullopt;
    }
    AccessibleView found = alike[static_cast<std::size_t>(description->ordinal)];
    if (description->caption) {
        found.name.erase(0, description->name.size() + 1);
    }
    return found;
}

std::optional<AccessibleView> ProgramWindow::Find(std::wstring_view name) const {
    return Find(AccessibleChildrenOf(window_), name);
}

std::wstring ProgramWindow::Text(std::wstring_view name) const {
    const std::optional<AccessibleView> found = Find(name);
    return found ? found->name : std::wstring();
}

RECT ProgramWindow::Location(std::wstring_view name) const {
    const std::optional<AccessibleView> found = Find(name);
    return found ? found->location : RECT{};
}

testing::AssertionResult ProgramWindow::Shows(
    const std::vector<std::pair<std::wstring, std::wstring>>& expected) const {
    std::vector<AccessibleView> children;
    const auto allShown = [&] {
        children = AccessibleChildrenOf(window_);
        return std::all_of(expected.begin(), expected.end(), [&](const auto& control) {
            const std::optional<AccessibleView> found = Find(children, control.first);
            return found && found->name == control.second;
        });
    };
    if (WaitUntil(allShown)) {
        return testing::AssertionSuccess();
    }
    testing::AssertionResult failure = testing::AssertionFailure();
    for (const auto& [name, text] : expected) {
        const std::optional<AccessibleView> found = Find(children, name);
        failure << "\n  " << Utf8(name)
                << (found ? " shows " + Quoted(found->name) + ", expected " + Quoted(text)
                          : std::string(": no such control"));
    }
    return failure;
}

testing::AssertionResult ProgramWindow::Shows(std::wstring_view name,
                                              std::wstring_view text) const {
    return Shows({{std::wstring(name), std::wstring(text)}});
}

testing::AssertionResult ProgramWindow::HasState(std::wstring_view name, LONG state,
                                                 bool has) const {
    std::optional<AccessibleView> found;
    if (WaitUntil([&] { return (found = Find(name)) && ((found->state & state) != 0) == has; })) {
        return testing::AssertionSuccess();
    }
    testing::AssertionResult failure = testing::AssertionFailure() << Utf8(name);
    if (!found) {
        return failure << ": no such control";
    }
    wchar_t text[128] = L"";
    GetStateTextW(static_cast<DWORD>(state), text, 128);
    return failure << (has ? " is not " : " is ") << Utf8(text);
}

testing::AssertionResult ProgramWindow::IsDrawnIn(std::wstring_view name, COLORREF colour,
                                                  COLORREF otherColour) const {
    const std::optional<AccessibleView> control = Find(name);
    if (!control) {
        return testing::AssertionFailure() << "no control " << Utf8(name);
    }
    size_t inColour = 0;
    size_t inOtherColour = 0;
    const auto drawn = [&] {
        const std::vector<COLORREF> pixels = ScreenPixels(control->location);
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

testing::AssertionResult ProgramWindow::ShowsColourAt(const std::vector<POINT>& points,
                                                      COLORREF colour) const {
    const auto colourAt = [this](POINT point) { return ScreenPixel(ScreenPoint(point)); };
    const auto allInColour = [&] {
        return std::all_of(points.begin(), points.end(),
                           [&](POINT point) { return colourAt(point) == colour; });
    };
    if (WaitUntil(allInColour)) {
        return testing::AssertionSuccess();
    }
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "expected " << Describe(colour) << " at each point of the window:";
    for (POINT point : points) {
        failure << "\n  " << Describe(point) << " shows " << Describe(colourAt(point));
    }
    return failure;
}

std::vector<COLORREF> ProgramWindow::SettledLook(const RECT& area) const {
    // A paint reaches the screen after the program has handled it, once it
    // is back at its messages: a look read too early may be a dialog's
    // half-painted first image, which a later paint changes without cause.
    std::vector<COLORREF> look;
    int unchanged = 0;
    const bool settled = WaitUntil([&] {
        if (PaintPending(window_) || !AwaitMessageRoundTrip(window_)) {
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
        keys.push_back({KeyForCharacter(character), {}});
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
    const std::optional<AccessibleView> control = Find(name);
    if (!control || path.empty() || !BringToForeground(window_)) {
        return testing::AssertionFailure() << "cannot press " << Utf8(name);
    }
    const POINT start = Centre(control->location);
    if (!PlacePointer(start) || !PressButtonAt(start, MouseButton::kLeft)) {
        return testing::AssertionFailure() << "cannot press at " << Describe(start);
    }
    if (!WaitUntil([&] { return MouseCaptureOf(window_) != nullptr; })) {
        ReleaseButtonAt(start, MouseButton::kLeft);
        return testing::AssertionFailure()
               << "the press on " << Utf8(name) << " did not take the mouse";
    }
    for (POINT point : path) {
        if (!PlacePointer(point)) {
            ReleaseButtonAt(point, MouseButton::kLeft);
            return testing::AssertionFailure() << "cannot move to " << Describe(point);
        }
    }
    if (!ReleaseButtonAt(path.back(), MouseButton::kLeft) ||
        !WaitUntil([&] { return MouseCaptureOf(window_) == nullptr; })) {
        return testing::AssertionFailure() << "the program kept the mouse after the release";
    }
    return testing::AssertionSuccess();
}

POINT ProgramWindow::CentreOf(std::wstring_view name) const {
    return Centre(Location(name));
}

POINT ProgramWindow::ScreenPoint(POINT inWindow) const {
    const RECT rect = WindowRect(window_);
    return {rect.left + inWindow.x, rect.top + inWindow.y};
}

std::string Describe(COLORREF colour) {
    char text[32];
    std::snprintf(text, sizeof(text), "RGB(%u, %u, %u)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

}  // namespace e2e

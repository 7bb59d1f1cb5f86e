// Every text of every window shows whole: each label's text, measured in the
// font the label publishes, is no wider than the label, and each check box's
// caption wraps within the box. The fonts are the system's to choose (Wine
// substitutes a font it lacks), so the texts are measured, not assumed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

// A label or a check box publishes its font in this window property: a
// global atom named "face;height;weight;italic;underline;charset;pitchAndFamily".
constexpr wchar_t kFontProperty[] = L"Convalis.Font";

std::optional<LOGFONTW> PublishedFont(HWND control) {
    const auto atom =
        static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(control, kFontProperty)));
    wchar_t description[256] = {};
    if (atom == 0 || GlobalGetAtomNameW(atom, description, std::size(description)) == 0) {
        return std::nullopt;
    }
    const wchar_t* fields = std::wcschr(description, L';');
    LOGFONTW font{};
    int italic = 0, underline = 0, charset = 0, pitchAndFamily = 0;
    if (fields == nullptr || fields - description >= LF_FACESIZE ||
        std::swscanf(fields, L";%ld;%ld;%d;%d;%d;%d", &font.lfHeight, &font.lfWeight, &italic,
                     &underline, &charset, &pitchAndFamily) != 6) {
        return std::nullopt;
    }
    std::wmemcpy(font.lfFaceName, description, static_cast<size_t>(fields - description));
    font.lfItalic = static_cast<BYTE>(italic);
    font.lfUnderline = static_cast<BYTE>(underline);
    font.lfCharSet = static_cast<BYTE>(charset);
    font.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    return font;
}

// A font as the system makes it from a LOGFONT, selected into a
// screen-compatible device context for measuring.
class MeasuringFont {
public:
    explicit MeasuringFont(const LOGFONTW& font)
        : dc_(CreateCompatibleDC(nullptr)), font_(CreateFontIndirectW(&font)) {
        previous_ = SelectObject(dc_, font_);
    }
    ~MeasuringFont() {
        SelectObject(dc_, previous_);
        DeleteObject(font_);
        DeleteDC(dc_);
    }
    MeasuringFont(const MeasuringFont&) = delete;
    MeasuringFont& operator=(const MeasuringFont&) = delete;

    int Width(const std::wstring& text) const {
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    // The size of `text` broken into lines at most `width` wide; wider if a
    // word alone is wider.
    SIZE Wrapped(const std::wstring& text, int width) const {
        RECT area{0, 0, width, 0};
        DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &area,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        return SIZE{area.right, area.bottom};
    }
    // The height of a capital with its accent: the character height.
    int CharacterHeight() const {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc_, &metrics);
        return metrics.tmHeight - metrics.tmInternalLeading;
    }
    // The face the system chose, which may not be the face asked for.
    std::string Face() const {
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc_, LF_FACESIZE, face);
        return Utf8(face);
    }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ previous_ = nullptr;
};

std::string ControlName(HWND control) {
    wchar_t name[256] = {};
    GlobalGetAtomNameW(static_cast<ATOM>(GetDlgCtrlID(control)), name, std::size(name));
    return Utf8(name);
}

RECT ClientRect(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

std::string Quoted(const std::wstring& text) {
    return "\"" + Utf8(text) + "\"";
}

// A label shows its text on one line, clipped at its edges.
std::optional<std::string> LabelMisfit(HWND label, const MeasuringFont& font) {
    const std::wstring text = WindowText(label);
    const int width = font.Width(text);
    const RECT client = ClientRect(label);
    if (width <= client.right) {
        return std::nullopt;
    }
    return ControlName(label) + " " + Quoted(text) + " is " + std::to_string(width) +
           " pixels wide in " + font.Face() + ", the label " + std::to_string(client.right);
}

// A check box wraps its caption beside the box: a 13-pixel square at 96 dpi,
// then half a digit's width of space, as the system's button draws it.
std::optional<std::string> CheckBoxMisfit(HWND checkBox, const MeasuringFont& font) {
    const std::wstring text = WindowText(checkBox);
    const RECT client = ClientRect(checkBox);
    const int box = MulDiv(12, ScreenPixelsPerInchX(), 96) + 1;
    const int textWidth = client.right - box - font.Width(L"0") / 2;
    const SIZE wrapped = font.Wrapped(text, textWidth);
    if (wrapped.cx <= textWidth && wrapped.cy <= client.bottom) {
        return std::nullopt;
    }
    return ControlName(checkBox) + " " + Quoted(text) + " takes " + std::to_string(wrapped.cx) +
           " x " + std::to_string(wrapped.cy) + " pixels in " + font.Face() + ", the box has " +
           std::to_string(textWidth) + " x " + std::to_string(client.bottom) + " for its text";
}

// Every label and check box of the window that has its system window, shown
// or hidden, in its own font. A control added hidden has its window once it
// was first shown: the hidden row is measured after it was shown.
testing::AssertionResult ShowsEveryTextWhole(const ProgramWindow& window) {
    std::string misfits;
    int measured = 0;
    for (HWND control : ChildWindows(window.Handle())) {
        const std::wstring kind = WindowClass(control);
        const bool label = lstrcmpiW(kind.c_str(), L"ConvalisLabel") == 0;
        if (!label && lstrcmpiW(kind.c_str(), L"Button") != 0) {
            continue;
        }
        const std::optional<LOGFONTW> published = PublishedFont(control);
        if (!published) {
            misfits += "\n  " + ControlName(control) + " publishes no font";
            continue;
        }
        const MeasuringFont font(*published);
        const std::optional<std::string> misfit =
            label ? LabelMisfit(control, font) : CheckBoxMisfit(control, font);
        if (misfit) {
            misfits += "\n  " + *misfit;
        }
        ++measured;
    }
    if (measured == 0) {
        return testing::AssertionFailure() << "the window has no text to measure";
    }
    if (!misfits.empty()) {
        return testing::AssertionFailure() << "texts cut:" << misfits;
    }
    return testing::AssertionSuccess();
}

// What the screen shows of a display: its place and its pixels, row by row.
struct Shown {
    RECT place{};
    std::vector<COLORREF> pixels;

    bool operator==(const Shown& other) const {
        return EqualRect(&place, &other.place) != FALSE && pixels == other.pixels;
    }
};

Shown ShownNow(HWND display) {
    const RECT place = WindowRect(display);
    return {place, ScreenPixels(place)};
}

// What the display shows once the screen has changed from `before` and the
// display has painted all it has to: `before` again when nothing changes.
Shown NextShown(HWND display, const Shown& before) {
    Shown last = before;
    Shown settled = before;
    WaitUntil([&] {
        const Shown now = ShownNow(display);
        const bool steady =
            GetUpdateRect(display, nullptr, FALSE) == FALSE && now == last && !(now == before);
        last = now;
        if (steady) {
            settled = now;
        }
        return steady;
    });
    return settled;
}

// A long amount shows whole: something is drawn, nothing of it touches the
// display's left edge, where a text wider than the display is cut, and the
// display has the place it has with a short amount (`shortAmount`).
testing::AssertionResult ShowsWhole(const std::string& name, const Shown& longAmount,
                                    const Shown& shortAmount) {
    if (!(EqualRect(&longAmount.place, &shortAmount.place) != FALSE)) {
        return testing::AssertionFailure() << name << " moved or changed its size";
    }
    if (longAmount.pixels == shortAmount.pixels) {
        return testing::AssertionFailure() << name << " shows no long amount";
    }
    const int width = longAmount.place.right - longAmount.place.left;
    for (std::size_t at = 0; at < longAmount.pixels.size(); at += static_cast<std::size_t>(width)) {
        if (longAmount.pixels[at] != shortAmount.pixels[at]) {
            return testing::AssertionFailure() << name << " has ink on its left edge, row "
                                               << at / width << ": the amount is cut";
        }
    }
    return testing::AssertionSuccess();
}

// The width of a typical stroke of the dark text on the light face: the
// median length of the runs of dark pixels along the rows.
int StrokeWidth(const Shown& text) {
    const int width = text.place.right - text.place.left;
    std::vector<int> runs;
    int run = 0;
    for (std::size_t at = 0; at < text.pixels.size(); ++at) {
        const COLORREF pixel = text.pixels[at];
        const bool dark = GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 128;
        if (dark) {
            ++run;
        }
        if ((!dark || (at + 1) % static_cast<std::size_t>(width) == 0) && run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (runs.empty()) {
        return 0;
    }
    std::nth_element(runs.begin(), runs.begin() + runs.size() / 2, runs.end());
    return runs[runs.size() / 2];
}

class TextsFit : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(app_.WaitForShownMainWindow(), nullptr); }

    testing::AssertionResult ShowChangeRow() {
        app_.Press({WithAlt('O')});
        const ProgramWindow options = app_.WaitForWindowWith(L"chkAppoint");
        if (!options) {
            return testing::AssertionFailure() << "Alt+O opened no options dialog";
        }
        options.Click(L"chkAppoint");
        if (!options.IsChecked(L"chkAppoint", true)) {
            return testing::AssertionFailure() << "the click did not tick the box";
        }
        options.Press({{VK_RETURN}});
        if (!WaitUntil([&] { return IsWindowVisible(app_.Control(L"lblP(3)")) != FALSE; })) {
            return testing::AssertionFailure() << "the change row was not shown";
        }
        return testing::AssertionSuccess();
    }

    // The program is made for the French number format.
    ScopedUserSetting frenchDecimal_{L"Control Panel\\International", L"sDecimal", L","};
    ProgramUnderTest app_;
};

TEST_F(TextsFit, MainWindowWithASevenDigitAmount) {
    EXPECT_TRUE(ShowsEveryTextWhole(app_.Main()));
    app_.Type(L"9999999,99");
    app_.Press({{VK_RETURN}});
    ASSERT_TRUE(app_.Shows({{L"lblP(0)", L"9999999,99"}, {L"lblP(2)", L"1524490,17"}}));
    EXPECT_TRUE(ShowsEveryTextWhole(app_.Main()));
}

// The texts are 8.25 points at the screen's scale: within a tenth of that
// height, whatever face the system gives, not a smaller font's.
TEST_F(TextsFit, LabelsHaveTheScalesTextHeight) {
    const int asked = MulDiv(825, ScreenPixelsPerInchX(), 7200);
    for (const wchar_t* name : {L"lblEti(0)", L"lblP(0)"}) {
        const std::optional<LOGFONTW> published = PublishedFont(app_.Control(name));
        ASSERT_TRUE(published.has_value()) << Utf8(name) << " publishes no font";
        const MeasuringFont font(*published);
        EXPECT_GE(font.CharacterHeight() * 10, asked * 9)
            << Utf8(name) << " is " << font.CharacterHeight() << " pixels high in " << font.Face()
            << " for " << asked;
    }
}

TEST_F(TextsFit, MainWindowWithTheChangeRow) {
    ASSERT_TRUE(ShowChangeRow());
    EXPECT_TRUE(ShowsEveryTextWhole(app_.Main()));
}

// The widest amounts, 19 characters with the sign, are wider than the
// displays: each shows whole, in the display's place. Two amounts that differ
// only in their first digit look different: that digit is drawn.
TEST_F(TextsFit, WidestAmountsShowWholeInTheMainWindow) {
    ASSERT_TRUE(ShowChangeRow());
    const std::vector<std::wstring> names{L"lblP(0)", L"lblP(2)", L"lblP(3)"};
    std::vector<Shown> shown;
    for (const std::wstring& name : names) {
        shown.push_back(ShownNow(app_.Control(name)));
    }
    // The price in euros typed, the price in francs from it, and the change
    // for a payment of 0 francs; then back to the price in francs.
    const auto enter = [&](const std::wstring& euros, const std::wstring& change) {
        app_.Press({{VK_UP}});
        app_.Type(euros);
        app_.Press({{VK_RETURN}, {VK_UP}});
        app_.Type(L"0");
        app_.Press({{VK_RETURN}, {VK_UP}});
        EXPECT_TRUE(app_.Shows({{L"lblP(2)", euros}, {L"lblP(3)", change}}));
        for (std::size_t i = 0; i < names.size(); ++i) {
            shown[i] = NextShown(app_.Control(names[i]), shown[i]);
        }
        return shown;
    };
    const std::vector<Shown> widest = enter(L"999999999999999,50", L"-999999999999999,50");
    const std::vector<Shown> otherFirstDigit = enter(L"899999999999999,50", L"-899999999999999,50");
    const std::vector<Shown> shortest = enter(L"0", L"0,00");
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(ShowsWhole(Utf8(names[i]), widest[i], shortest[i]));
        EXPECT_TRUE(ShowsWhole(Utf8(names[i]), otherFirstDigit[i], shortest[i]));
    }
    EXPECT_FALSE(widest[1] == otherFirstDigit[1]) << "lblP(2) does not show its first digit";
    EXPECT_FALSE(widest[2] == otherFirstDigit[2]) << "lblP(3) does not show its first digit";
}

// The displays are bold, their captions regular: the displays' strokes are
// the wider, whatever face the system gives at the screen's scale.
TEST_F(TextsFit, DisplaysAreBold) {
    app_.Type(L"100");
    app_.Press({{VK_RETURN}});
    ASSERT_TRUE(app_.Shows(L"lblP(2)", L"15,24"));
    const Shown caption = NextShown(app_.Control(L"lblEti(2)"), Shown{});
    const Shown display = NextShown(app_.Control(L"lblP(2)"), Shown{});
    EXPECT_GT(StrokeWidth(display), StrokeWidth(caption))
        << "the display's strokes are as thin as its caption's: it is drawn regular";
}

// In the euro-zone window the widest amount is in Italian lire, 22 characters.
TEST_F(TextsFit, WidestAmountsShowWholeInTheEuroZoneWindow) {
    app_.Press({WithAlt('Z')});
    const ProgramWindow zone = app_.WaitForWindowWith(L"lblEti(0)");
    ASSERT_TRUE(zone) << "Alt+Z opened no euro-zone window";
    zone.Press({{VK_RIGHT}, {VK_RIGHT}, {VK_UP}});
    ASSERT_TRUE(zone.Shows(L"lblP(0)", L"Lire italienne"));
    const std::vector<std::wstring> names{L"lblP(1)", L"lblP(2)"};
    std::vector<Shown> shown;
    for (const std::wstring& name : names) {
        shown.push_back(ShownNow(zone.Control(name)));
    }
    const auto enter = [&](const std::wstring& euros) {
        zone.Type(euros);
        zone.Press({{VK_RETURN}});
        EXPECT_TRUE(zone.Shows(L"lblP(2)", euros));
        EXPECT_TRUE(WaitUntil([&] { return zone.Text(L"lblP(1)") != L"0"; }))
            << "Enter converted nothing";
        for (std::size_t i = 0; i < names.size(); ++i) {
            shown[i] = NextShown(zone.Control(names[i]), shown[i]);
        }
        return shown;
    };
    const std::vector<Shown> widest = enter(L"999999999999999,50");
    const std::vector<Shown> otherFirstDigit = enter(L"899999999999999,50");
    const std::vector<Shown> shortest = enter(L"0");
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(ShowsWhole(Utf8(names[i]), widest[i], shortest[i]));
        EXPECT_TRUE(ShowsWhole(Utf8(names[i]), otherFirstDigit[i], shortest[i]));
    }
    EXPECT_FALSE(widest[1] == otherFirstDigit[1]) << "lblP(2) does not show its first digit";
}

TEST_F(TextsFit, EuroZoneWindowWithEveryCurrency) {
    app_.Press({WithAlt('Z')});
    const ProgramWindow zone = app_.WaitForWindowWith(L"lblEti(0)");
    ASSERT_TRUE(zone) << "Alt+Z opened no euro-zone window";
    constexpr int kCurrencies = 12;
    for (int row = 0; row < kCurrencies; ++row) {
        const std::wstring currency = zone.Text(L"lblP(0)");
        EXPECT_TRUE(ShowsEveryTextWhole(zone)) << "with " << Utf8(currency);
        zone.Press({{VK_RIGHT}});
        ASSERT_TRUE(WaitUntil([&] { return zone.Text(L"lblP(0)") != currency; }))
            << "Right did not change the currency " << Utf8(currency);
    }
}

TEST_F(TextsFit, OptionsDialog) {
    app_.Press({WithAlt('O')});
    const ProgramWindow options = app_.WaitForWindowWith(L"chkAppoint");
    ASSERT_TRUE(options) << "Alt+O opened no options dialog";
    EXPECT_TRUE(ShowsEveryTextWhole(options));
}

TEST_F(TextsFit, AboutBox) {
    app_.Click(L"imaCommand(3)");
    const ProgramWindow about = app_.WaitForWindowWith(L"lblTitle");
    ASSERT_TRUE(about) << "no about box opened";
    EXPECT_TRUE(ShowsEveryTextWhole(about));
}

}  // namespace
}  // namespace e2e

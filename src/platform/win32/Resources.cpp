#include "platform/win32/Resources.h"

#include <string>

#include "ResourceIds.h"
#include "platform/Arguments.h"

namespace win32 {

namespace {

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

constexpr std::pair<platform::Picture, int> kPictureIcons[] = {
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

}  // namespace

Resources::Resources(HINSTANCE instance) : instance_(instance) {
    for (int bold = 0; bold < 2; ++bold) {
        for (int underline = 0; underline < 2; ++underline) {
            fonts_[bold][underline] = MakeFont(bold != 0 ? FW_BOLD : FW_NORMAL, underline != 0);
            const std::wstring description = DescribeFont(fonts_[bold][underline].Get());
            fontDescriptions_[bold][underline].Reset(::GlobalAddAtomW(description.c_str()));
        }
    }
    windowIcon_ = LoadSmallIcon(instance, CONVALIS_IDI_WINDOW);
}

HCURSOR Resources::HandCursor() const {
    if (!handCursorLoaded_) {
        handCursorLoaded_ = true;
        // The system's hand is shared and must not be destroyed: the program
        // owns a copy (the CopyCursor macro is CopyIcon).
        handCursor_.Reset(::CopyIcon(::LoadCursorW(nullptr, IDC_HAND)));
    }
    return handCursor_.Get();
}

HFONT Resources::Font(platform::FontWeight weight, bool underline) const {
    return fonts_[FontIndex(weight)][underline ? 1 : 0].Get();
}

void Resources::PublishFont(HWND hwnd, platform::FontWeight weight, bool underline) const {
    const ATOM description = fontDescriptions_[FontIndex(weight)][underline ? 1 : 0].Get();
    ::SetPropW(hwnd, kFontProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(description)));
}

HICON Resources::PictureIcon(platform::Picture picture) const {
    for (const auto& [name, icon] : pictures_) {
        if (name == picture) {
            return icon.Get();
        }
    }
    for (const auto& [name, id] : kPictureIcons) {
        if (name == picture) {
            pictures_.emplace_back(picture, LoadSmallIcon(instance_, id));
            return pictures_.back().second.Get();
        }
    }
    return nullptr;
}

// What OleTranslateColor answers without a palette, for the colours that the
// platform takes, without loading the automation library for it.
bool TranslateColor(platform::OleColor color, platform::Rgb* rgb) {
    if (!platform::IsValidOleColor(color)) {
        return false;
    }
    *rgb =
        platform::IsSystemColor(color) ? ::GetSysColor(platform::SystemColorIndex(color)) : color;
    return true;
}

platform::Rgb ResolveColor(platform::OleColor color) {
    platform::Rgb rgb = 0;
    return TranslateColor(color, &rgb) ? rgb : 0;
}

}  // namespace win32

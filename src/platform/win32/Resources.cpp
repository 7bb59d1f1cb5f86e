#include "platform/win32/Resources.h"

#include <string>

#include "ResourceIds.h"
#include "platform/Arguments.h"

namespace win32 {

namespace {

// The face and the height of the characters of a font as the system made
// it, which may differ from what was asked.
struct MadeFont {
    std::wstring face;
    int characterHeight = 0;
};

MadeFont Measure(HDC dc, HFONT font) {
    SelectionScope selected(dc, font);
    MadeFont made;
    wchar_t face[LF_FACESIZE] = {};
    if (::GetTextFaceW(dc, LF_FACESIZE, face) > 0) {
        made.face = face;
    }
    TEXTMETRICW metrics{};
    if (::GetTextMetricsW(dc, &metrics)) {
        made.characterHeight = metrics.tmHeight - metrics.tmInternalLeading;
    }
    return made;
}

constexpr wchar_t kDesignFace[] = L"MS Sans Serif";

LOGFONTW FontDescription(int characterHeight, int weight, bool underline, const wchar_t* face) {
    LOGFONTW font{};
    font.lfHeight = -characterHeight;
    font.lfWeight = weight;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    ::lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return font;
}

// The scalable face the texts take where "MS Sans Serif" does not serve:
// its twin "Microsoft Sans Serif", of the same widths, or where that is
// missing (Wine) Tahoma, narrow enough; null when the system has neither.
// A face the system puts in their place would be wider and cut the texts.
// `dc` measures, at the first call.
const wchar_t* ScalableFace(HDC dc) {
    static const wchar_t* const face = [dc] {
        for (const wchar_t* twin : {L"Microsoft Sans Serif", L"Tahoma"}) {
            const LOGFONTW description = FontDescription(11, FW_NORMAL, false, twin);
            UniqueFont font(::CreateFontIndirectW(&description));
            if (font && Measure(dc, font.Get()).face == twin) {
                return twin;
            }
        }
        return static_cast<const wchar_t*>(nullptr);
    }();
    return face;
}

UniqueFont MakeFont(HDC dc, platform::Dpi dpi, int weight, bool underline) {
    // 8.25 points at the scale, as character height.
    const int height = ::MulDiv(825, dpi.Value(), 7200);
    LOGFONTW font = FontDescription(height, weight, underline, kDesignFace);
    UniqueFont made(::CreateFontIndirectW(&font));
    // "MS Sans Serif" is a bitmap font of a few sizes, made for 96 and 120
    // dpi: where the nearest falls short of the scale's by more than a tenth
    // (at 200 %), the scalable face draws the texts at their size. Where the
    // system has no "MS Sans Serif" at all (a Wine prefix without Wine's
    // fonts), the face it gives instead is wider: the scalable face too.
    const MadeFont asked = made ? Measure(dc, made.Get()) : MadeFont{};
    const bool designFaceServes =
        asked.face == kDesignFace && asked.characterHeight * 10 >= height * 9;
    if (!designFaceServes && ScalableFace(dc) != nullptr) {
        ::lstrcpynW(font.lfFaceName, ScalableFace(dc), LF_FACESIZE);
        if (UniqueFont scalable{::CreateFontIndirectW(&font)}) {
            made = std::move(scalable);
        }
    }
    return made;
}

int FontIndex(platform::FontWeight weight) {
    return weight == platform::FontWeight::kBold ? 1 : 0;
}

UniqueIcon LoadSizedIcon(HINSTANCE instance, int id, int size) {
    return UniqueIcon(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

int PictureResource(platform::Picture picture) {
    switch (picture) {
        case platform::Picture::kClose:
            return CONVALIS_IDI_CLOSE;
        case platform::Picture::kHide:
            return CONVALIS_IDI_HIDE;
        case platform::Picture::kOptions:
            return CONVALIS_IDI_OPTIONS;
        case platform::Picture::kAbout:
            return CONVALIS_IDI_ABOUT;
        case platform::Picture::kHelp:
            return CONVALIS_IDI_HELP;
        case platform::Picture::kEuroZone:
            return CONVALIS_IDI_EUROZONE;
        case platform::Picture::kCross:
            return CONVALIS_IDI_CROSS;
        case platform::Picture::kEuroSign:
            return CONVALIS_IDI_EURO_SIGN;
        case platform::Picture::kQuestionMark:
            return CONVALIS_IDI_QUESTION_MARK;
    }
    return 0;
}

}  // namespace

HCURSOR Resources::HandCursor() const {
    if (!handCursorLoaded_) {
        handCursorLoaded_ = true;
        // The system's hand is shared and must not be destroyed: the program
        // owns a copy (the CopyCursor macro is CopyIcon).
        handCursor_.Reset(::CopyIcon(::LoadCursorW(nullptr, IDC_HAND)));
    }
    return handCursor_.Get();
}

Resources::FontSet& Resources::Fonts(platform::Dpi dpi) {
    for (FontSet& set : fontSets_) {
        if (set.dpi == dpi.Value()) {
            return set;
        }
    }
    FontSet set;
    set.dpi = dpi.Value();
    fontSets_.push_back(std::move(set));
    return fontSets_.back();
}

HFONT Resources::Font(platform::Dpi dpi, platform::FontWeight weight, bool underline) {
    FontSet& set = Fonts(dpi);
    const int bold = FontIndex(weight);
    const int underlined = underline ? 1 : 0;
    if (!set.fonts[bold][underlined]) {
        set.fonts[bold][underlined] =
            MakeFont(MeasuringDc(), dpi, bold != 0 ? FW_BOLD : FW_NORMAL, underline);
    }
    return set.fonts[bold][underlined].Get();
}

HFONT Resources::SmallerFont(platform::FontWeight weight, bool underline, int characterHeight) {
    const int fontWeight = weight == platform::FontWeight::kBold ? FW_BOLD : FW_NORMAL;
    for (const SmallerFontEntry& entry : smallerFonts_) {
        if (entry.weight == fontWeight && entry.underline == underline &&
            entry.characterHeight == characterHeight) {
            return entry.font.Get();
        }
    }
    const wchar_t* face = ScalableFace(MeasuringDc());
    LOGFONTW description = FontDescription(characterHeight, fontWeight, underline,
                                           face != nullptr ? face : kDesignFace);
    // Without a scalable face of its own, any the system has: a bitmap font
    // has no smaller sizes.
    if (face == nullptr) {
        description.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    }
    SmallerFontEntry entry{fontWeight, underline, characterHeight,
                           UniqueFont(::CreateFontIndirectW(&description))};
    HFONT font = entry.font.Get();
    smallerFonts_.push_back(std::move(entry));
    return font;
}

HICON Resources::Icon(int id, int size) {
    for (const SizedIcon& icon : icons_) {
        if (icon.id == id && icon.size == size) {
            return icon.icon.Get();
        }
    }
    SizedIcon loaded{id, size, LoadSizedIcon(instance_, id, size)};
    HICON icon = loaded.icon.Get();
    icons_.push_back(std::move(loaded));
    return icon;
}

const IconImage& Resources::PictureImage(platform::Picture picture, int size) {
    for (const SizedPicture& known : pictures_) {
        if (known.picture == picture && known.size == size) {
            return known.image;
        }
    }
    const int id = PictureResource(picture);
    pictures_.push_back(
        {picture, size, id != 0 ? LoadIconImage(instance_, id, size) : IconImage{}});
    return pictures_.back().image;
}

void Resources::DrawPicture(HDC dc, platform::Picture picture, int size, int left, int top) {
    const IconImage& image = PictureImage(picture, size);
    if (!pictureDc_) {
        pictureDc_.Reset(::CreateCompatibleDC(nullptr));
    }
    DrawIconImage(dc, pictureDc_.Get(), image, left, top, size);
}

HICON Resources::WindowIcon(int size) {
    return Icon(CONVALIS_IDI_WINDOW, size);
}

HDC Resources::MeasuringDc() {
    if (!measuringDc_) {
        measuringDc_.Reset(::CreateCompatibleDC(nullptr));
    }
    return measuringDc_.Get();
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

// What the windows and controls share to draw with: the fonts, the icons of
// the pictures, the link cursor, and the translation of OLE colours.
#pragma once

#include <utility>
#include <vector>

#include "platform/Controls.h"
#include "platform/Types.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

// The window property through which a label or a line publishes the RGB value
// of its resolved colour for observers outside the process.
inline constexpr wchar_t kForeColorProperty[] = L"Convalis.ForeColor";

// The window property through which a label or a check box publishes its font
// for observers outside the process: a global atom named after the font's
// LOGFONT, "face;height;weight;italic;underline;charset;pitchAndFamily". An
// observer makes the same font from it and measures the control's text.
inline constexpr wchar_t kFontProperty[] = L"Convalis.Font";

class Resources {
public:
    // Makes the fonts and loads the program's icon, which the first window
    // needs; the pictures' icons and the hand cursor are loaded at their
    // first use, since the main window's first paint needs only some of them.
    explicit Resources(HINSTANCE instance);
    Resources(const Resources&) = delete;
    Resources& operator=(const Resources&) = delete;

    // "MS Sans Serif" 8.25 point, one font per weight and underline, shared
    // by all controls.
    HFONT Font(platform::FontWeight weight, bool underline = false) const;
    // Names that font in the window property kFontProperty of `hwnd`.
    void PublishFont(HWND hwnd, platform::FontWeight weight, bool underline = false) const;
    // The pointing-hand cursor of links; null when the system has none.
    HCURSOR HandCursor() const;
    // The 16 x 16 icon of a picture, or null when the program has no such
    // resource.
    HICON PictureIcon(platform::Picture picture) const;
    // The program's own 16 x 16 icon.
    HICON WindowIcon() const { return windowIcon_.Get(); }

private:
    HINSTANCE instance_;
    // Indexed by [bold][underline]: the fonts and the atoms that describe them.
    UniqueFont fonts_[2][2];
    UniqueGlobalAtom fontDescriptions_[2][2];
    UniqueIcon windowIcon_;
    // Loaded at the first use, and kept (null when missing) until the end.
    mutable bool handCursorLoaded_ = false;
    mutable UniqueCursor handCursor_;
    mutable std::vector<std::pair<platform::Picture, UniqueIcon>> pictures_;
};

// An OLE colour's RGB value now; black when it cannot be translated.
platform::Rgb ResolveColor(platform::OleColor color);
bool TranslateColor(platform::OleColor color, platform::Rgb* rgb);

}  // namespace win32

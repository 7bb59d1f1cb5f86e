// What the windows and controls share to draw with: the fonts, the pictures,
// the program's icon, the link cursor, and the translation of OLE colours.
#pragma once

#include <vector>

#include "platform/Controls.h"
#include "platform/Dpi.h"
#include "platform/Types.h"
#include "platform/win32/Handles.h"
#include "platform/win32/IconImage.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

class Resources {
public:
    // Loads nothing yet: each font, icon and the hand cursor is made at its
    // first use, since the main window's first paint needs only some of them.
    explicit Resources(HINSTANCE instance) : instance_(instance) {}
    Resources(const Resources&) = delete;
    Resources& operator=(const Resources&) = delete;

    // "MS Sans Serif" 8.25 point at a scale, one font per weight and
    // underline, shared by all controls at that scale; made at the first use
    // of the scale.
    HFONT Font(platform::Dpi dpi, platform::FontWeight weight, bool underline = false);
    // A scalable font of the texts' face, `characterHeight` pixels high,
    // for a text set smaller to fit its label; kept for the program's life
    // (a few heights in a run).
    HFONT SmallerFont(platform::FontWeight weight, bool underline, int characterHeight);
    // The pointing-hand cursor of links; null when the system has none.
    HCURSOR HandCursor() const;
    // Draws a picture `size` pixels square at (left, top) of `dc`; nothing
    // when the program has no such resource. Each icon resource holds an
    // image drawn for each size a scale needs (16 at 96 dpi, 24 at 144).
    void DrawPicture(HDC dc, platform::Picture picture, int size, int left, int top);
    // The program's own icon, `size` pixels square.
    HICON WindowIcon(int size);
    // A device context of the screen's kind to measure texts in: the
    // screen's own would be asked of the window server at each use.
    HDC MeasuringDc();

private:
    // The fonts of one scale, indexed by [bold][underline], each made at
    // its first use (the underlined ones serve only the about box's links).
    struct FontSet {
        int dpi = 0;
        UniqueFont fonts[2][2];
    };
    struct SmallerFontEntry {
        int weight = 0;
        bool underline = false;
        int characterHeight = 0;
        UniqueFont font;
    };
    struct SizedIcon {
        int id = 0;
        int size = 0;
        UniqueIcon icon;
    };
    struct SizedPicture {
        platform::Picture picture{};
        int size = 0;
        IconImage image;
    };
    FontSet& Fonts(platform::Dpi dpi);
    HICON Icon(int id, int size);
    const IconImage& PictureImage(platform::Picture picture, int size);

    HINSTANCE instance_;
    // Few scales in a run: one per monitor at most.
    std::vector<FontSet> fontSets_;
    std::vector<SmallerFontEntry> smallerFonts_;
    std::vector<SizedIcon> icons_;
    std::vector<SizedPicture> pictures_;
    UniqueMemoryDc measuringDc_;
    UniqueMemoryDc pictureDc_;  // selects each picture in turn to blend it
    // Loaded at the first use, and kept (null when missing) until the end.
    mutable bool handCursorLoaded_ = false;
    mutable UniqueCursor handCursor_;
};

// An OLE colour's RGB value now; black when it cannot be translated.
platform::Rgb ResolveColor(platform::OleColor color);
bool TranslateColor(platform::OleColor color, platform::Rgb* rgb);

}  // namespace win32

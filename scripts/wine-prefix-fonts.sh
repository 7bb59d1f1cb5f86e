#!/usr/bin/env bash
# Puts Wine's own "MS Sans Serif" into a Wine prefix, so that the program's
# texts are drawn in the font they were laid out for, and Wine's Tahoma,
# which the program takes at scales beyond the bitmap font's sizes and where
# "MS Sans Serif" is missing.
#
#   scripts/wine-prefix-fonts.sh [--without-ms-sans-serif] PREFIX
#
# A prefix's font list names the bitmap files of "MS Sans Serif" (sserife.fon
# and its other sizes and code pages) in the prefix's Fonts folder, but
# Debian's Wine makes prefixes without them, and the fonts-wine package only
# puts them under /usr/share/wine/fonts. Wine then draws "MS Sans Serif" in a
# wider font, which cuts the program's texts. This copies the missing files
# and replaces none; Wine's programs started afterwards use them.
# --without-ms-sans-serif copies Tahoma alone: the prefix of a user whose
# Wine has no "MS Sans Serif", where the program takes Tahoma for it.
set -euo pipefail

with_ms_sans_serif=1
if [ "${1:-}" = --without-ms-sans-serif ]; then
    with_ms_sans_serif=
    shift
fi
[ $# -eq 1 ] || {
    echo "usage: $0 [--without-ms-sans-serif] PREFIX" >&2
    exit 2
}
prefix=$1
wine_fonts=/usr/share/wine/fonts
prefix_fonts=$prefix/drive_c/windows/Fonts

shopt -s nullglob
# Tahoma without Wine's tahomabd.ttf: that file has bold bitmaps for small
# sizes only, and beyond them (at 200 %) draws bold as thin as regular, where
# Wine makes a bold of its own from tahoma.ttf. A copy that an earlier run
# put into the prefix goes.
files=("$wine_fonts"/tahoma.ttf)
if cmp -s "$wine_fonts"/tahomabd.ttf "$prefix_fonts"/tahomabd.ttf; then
    rm "$prefix_fonts"/tahomabd.ttf
fi
if [ -n "$with_ms_sans_serif" ]; then
    files+=("$wine_fonts"/sserif*.fon "$wine_fonts"/ssee*.fon "$wine_fonts"/ssef*.fon)
fi
if [ ! -e "${files[0]}" ]; then
    echo "$0: Wine's fonts are missing from $wine_fonts (scripts/install-deps.sh" \
        "installs fonts-wine); texts may be cut" >&2
    exit 0
fi
mkdir -p "$prefix_fonts"
for file in "${files[@]}"; do
    [ -e "$file" ] || continue
    target=$prefix_fonts/$(basename "$file")
    [ -e "$target" ] || cp "$file" "$target"
done

#!/usr/bin/env bash
# Puts Wine's own "MS Sans Serif" into a Wine prefix, so that the program's
# texts are drawn in the font they were laid out for, and Wine's Tahoma, which
# the program takes at scales beyond the bitmap font's sizes.
#
#   scripts/wine-prefix-fonts.sh PREFIX
#
# A prefix's font list names the bitmap files of "MS Sans Serif" (sserife.fon
# and its other sizes and code pages) in the prefix's Fonts folder, but
# Debian's Wine makes prefixes without them, and the fonts-wine package only
# puts them under /usr/share/wine/fonts. Wine then draws "MS Sans Serif" in a
# wider font, which cuts the program's texts. This copies the missing files
# and replaces none; Wine's programs started afterwards use them.
set -euo pipefail

[ $# -eq 1 ] || {
    echo "usage: $0 PREFIX" >&2
    exit 2
}
prefix=$1
wine_fonts=/usr/share/wine/fonts
prefix_fonts=$prefix/drive_c/windows/Fonts

shopt -s nullglob
files=("$wine_fonts"/sserif*.fon "$wine_fonts"/ssee*.fon "$wine_fonts"/ssef*.fon "$wine_fonts"/tahoma*.ttf)
if [ ${#files[@]} -eq 0 ]; then
    echo "$0: Wine's fonts are missing from $wine_fonts (scripts/install-deps.sh" \
        "installs fonts-wine); texts may be cut" >&2
    exit 0
fi
mkdir -p "$prefix_fonts"
for file in "${files[@]}"; do
    target=$prefix_fonts/$(basename "$file")
    [ -e "$target" ] || cp "$file" "$target"
done

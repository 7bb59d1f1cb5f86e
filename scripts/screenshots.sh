#!/usr/bin/env bash
# Takes the README's pictures from the real program under Wine: the main
# window after 100 francs and Enter, and the euro-zone window after 100
# marks and Enter. Each window is cut out of the screen, with the screen
# around its round shape made transparent.
#
#   scripts/screenshots.sh [--dpi DPI] [--every-window] [--program EXE] [BUILD_DIR [OUT_DIR]]
#
# BUILD_DIR is a built win32 build folder (default build/win32); the
# pictures go to OUT_DIR (default docs/images). The Wine prefix is kept in
# BUILD_DIR/screenshots/prefix for the next run. --dpi gives the screen that
# scale (in a prefix of its own, BUILD_DIR/screenshots-dpiDPI), to compare
# the windows at several scales; --every-window takes the options dialog and
# the about box too; --program takes the pictures of another Convalis.exe
# than the build's.
set -euo pipefail

readonly patience=200 # tenths of a second to wait for what a key should show
# The desktop's colour, made transparent in the pictures.
readonly backdrop=#FF00FF

die() {
    echo "screenshots: $*" >&2
    exit 2
}

dpi=
every_window=
program=
while [ $# -gt 0 ]; do
    case $1 in
    --dpi)
        [[ "${2:-}" =~ ^[1-9][0-9]*$ ]] || die "--dpi takes a number of dots per inch"
        dpi=$2
        shift 2
        ;;
    --every-window)
        every_window=1
        shift
        ;;
    --program)
        [ -f "${2:-}" ] || die "--program takes a program file"
        program=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
        shift 2
        ;;
    *) break ;;
    esac
done
build_dir=$(cd "${1:-build/win32}" && pwd)
out_dir=$(mkdir -p "${2:-docs/images}" && cd "${2:-docs/images}" && pwd)
program=${program:-$build_dir/bin/Convalis.exe}
[ -f "$program" ] || die "$program is not built"
for tool in import xdotool xwininfo; do
    command -v "$tool" >/dev/null || die "$tool is missing (scripts/install-deps.sh installs it)"
done

# shellcheck source=scripts/wine-session.sh
. "$(dirname "$0")/wine-session.sh"
wine_session_start "$build_dir/screenshots${dpi:+-dpi$dpi}" "$dpi"
# The French number format, and the desktop's colour for the transparency.
wine reg add 'HKCU\Control Panel\International' /v sDecimal /d , /f >/dev/null
wine reg add 'HKCU\Control Panel\Colors' /v Background /d '255 0 255' /f >/dev/null

# The geometry (WxH+X+Y) of the program's shown windows, one a line; they
# are children of Wine's virtual desktop.
program_windows() {
    xwininfo -root -tree | sed -n 's/.*"Convalis": ("convalis.exe".*) *\([0-9]*x[0-9]*+[0-9]*+[0-9]*\) .*/\1/p'
}

# Waits until the program shows `count` windows; prints the last one's.
await_windows() {
    local count=$1 tries
    for ((tries = 0; tries < patience; tries++)); do
        if [ "$(program_windows | wc -l)" -eq "$count" ]; then
            program_windows | tail -n 1
            return
        fi
        sleep 0.1
    done
    die "the program did not show $count window(s)"
}

pixels() {
    import -window root -crop "$1" +repage rgb:-
}

# Waits until the pixels of `geometry` differ from `before` and have settled.
await_change() {
    local geometry=$1 before=$2 now last= tries
    for ((tries = 0; tries < patience; tries++)); do
        now=$(pixels "$geometry" | md5sum)
        if [ "$now" != "$before" ] && [ "$now" = "$last" ]; then
            return
        fi
        last=$now
        sleep 0.1
    done
    die "the window did not change after the keys"
}

# Waits until the pixels of `geometry` have settled.
await_settled() {
    local geometry=$1 now last= tries
    for ((tries = 0; tries < patience; tries++)); do
        now=$(pixels "$geometry" | md5sum)
        [ "$now" = "$last" ] && return
        last=$now
        sleep 0.1
    done
    die "the window did not settle"
}

# Sends keys and waits until the window shows their effect.
keys_then_wait() {
    local geometry=$1
    shift
    local before
    before=$(pixels "$geometry" | md5sum)
    xdotool key --delay 50 "$@"
    xdotool mousemove 0 0 # no pointer, no tooltip in the picture
    await_change "$geometry" "$before"
}

picture() {
    import -window root -crop "$1" +repage -transparent "$backdrop" -strip "$out_dir/$2"
    echo "screenshots: $out_dir/$2"
}

wine "$program" >program.log 2>&1 </dev/null &
main=$(await_windows 1)
# Its first paint done, where it stays.
await_settled "$main"
main=$(await_windows 1)
# A click on the coin's body gives it the keyboard (a press there only
# starts a drag, which the release ends where it began).
read -r x y < <(sed 's/^[0-9]*x[0-9]*+\([0-9]*\)+\([0-9]*\)$/\1 \2/' <<<"$main")
# Points of the window in twips, as pixels of the screen's scale.
scale=${dpi:-96}
body_x=$((x + 1500 * scale / 1440))
body_y=$((y + 300 * scale / 1440))
xdotool mousemove $body_x $body_y click 1
keys_then_wait "$main" 1 0 0 Return
picture "$main" main-window.png

xdotool key alt+z
zone=$(await_windows 2)
# "Mark allemand" is three rows after "Franc français"; Tab goes to its amount.
keys_then_wait "$zone" Right Right Right Tab 1 0 0 Return
picture "$zone" euro-zone.png
[ -n "$every_window" ] || exit 0

# Waits until the program shows no more than `count` windows.
await_closed() {
    local count=$1 tries
    for ((tries = 0; tries < patience; tries++)); do
        [ "$(program_windows | wc -l)" -le "$count" ] && return
        sleep 0.1
    done
    die "a window of the program did not close"
}

xdotool key alt+F4
await_closed 1
xdotool mousemove $body_x $body_y click 1
xdotool key alt+o
options=$(await_windows 2)
xdotool mousemove 0 0
await_settled "$options"
picture "$options" options.png
xdotool key alt+F4
await_closed 1

# The about button's centre, at twips (1320, 2470) of the main window.
xdotool mousemove $((x + 1320 * scale / 1440)) $((y + 2470 * scale / 1440)) click 1
about=$(await_windows 2)
xdotool mousemove 0 0
# Its text scrolls and never settles: a moment to draw the rest.
sleep 1
picture "$about" about.png

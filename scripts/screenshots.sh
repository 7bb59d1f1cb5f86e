#!/usr/bin/env bash
# Takes the README's pictures from the real program under Wine: the main
# window after 100 francs and Enter, and the euro-zone window after 100
# marks and Enter. Each window is cut out of the screen, with the screen
# around its round shape made transparent.
#
#   scripts/screenshots.sh [BUILD_DIR [OUT_DIR]]
#
# BUILD_DIR is a built win32 build folder (default build/win32); the
# pictures go to OUT_DIR (default docs/images). The Wine prefix is kept in
# BUILD_DIR/screenshots/prefix for the next run.
set -euo pipefail

readonly patience=200 # tenths of a second to wait for what a key should show
# The desktop's colour, made transparent in the pictures.
readonly backdrop=#FF00FF

die() {
    echo "screenshots: $*" >&2
    exit 2
}

build_dir=$(cd "${1:-build/win32}" && pwd)
out_dir=$(mkdir -p "${2:-docs/images}" && cd "${2:-docs/images}" && pwd)
program=$build_dir/bin/Convalis.exe
[ -f "$program" ] || die "$program is not built"
for tool in import xdotool xwininfo; do
    command -v "$tool" >/dev/null || die "$tool is missing (scripts/install-deps.sh installs it)"
done

# shellcheck source=scripts/wine-session.sh
. "$(dirname "$0")/wine-session.sh"
wine_session_start "$build_dir/screenshots"
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
# A click on the coin's body gives it the keyboard (a press there only
# starts a drag, which the release ends where it began).
read -r x y < <(sed 's/^[0-9]*x[0-9]*+\([0-9]*\)+\([0-9]*\)$/\1 \2/' <<<"$main")
xdotool mousemove $((x + 100)) $((y + 20)) click 1
keys_then_wait "$main" 1 0 0 Return
picture "$main" main-window.png

xdotool key alt+z
zone=$(await_windows 2)
# "Mark allemand" is three rows after "Franc français"; Tab goes to its amount.
keys_then_wait "$zone" Right Right Right Tab 1 0 0 Return
picture "$zone" euro-zone.png

#!/usr/bin/env bash
# Runs the end-to-end tests: the real Convalis.exe under Wine, on a private
# X display (Xvfb) and in a private Wine prefix under the build folder.
#
#   scripts/e2e.sh BUILD_DIR [GoogleTest options, e.g. --gtest_filter=Help.*]
#
# BUILD_DIR is a configured and built win32 build folder (build/win32). The
# prefix is made once (BUILD_DIR/e2e/prefix) and reused. Exits non-zero when
# a test fails or the tests cannot run.
set -euo pipefail

readonly test_time_limit=480 # seconds; the tests take far less

die() {
    echo "e2e: $*" >&2
    exit 2
}

[ $# -ge 1 ] || die "usage: $0 BUILD_DIR [GoogleTest options]"
[ -d "$1" ] || die "no build folder $1"
build_dir=$(cd "$1" && pwd)
shift
scripts_dir=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb wine wineserver timeout; do
    command -v "$tool" >/dev/null || die "$tool is missing (scripts/install-deps.sh installs it)"
done

# Where the build put the test driver and the program (written by CMake).
paths_file=$build_dir/e2e-paths.txt
[ -f "$paths_file" ] || die "$paths_file is missing: configure and build $build_dir first"
driver=$(sed -n 's/^driver=//p' "$paths_file")
program=$(sed -n 's/^program=//p' "$paths_file")
if [ -z "$program" ]; then
    program=$(find "$build_dir" -path "$build_dir/e2e" -prune -o -name Convalis.exe -print -quit)
fi
[ -f "$driver" ] || die "test driver ${driver:-convalis-e2e.exe} not built"
if [ -z "$program" ] || [ ! -f "$program" ]; then
    die "Convalis.exe not built in $build_dir"
fi

state=$build_dir/e2e
export WINEPREFIX=$state/prefix
export TMPDIR=$state/tmp
export HOME=$state/home # nothing of Wine's lands in the user's own home
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEARCH WINESERVER
mkdir -p "$TMPDIR" "$HOME"
chmod 700 "$TMPDIR"

xvfb_pid=
# shellcheck disable=SC2317 # run by the EXIT trap
stop_everything() {
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap stop_everything EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display itself and writes its number once it listens.
start_display() {
    local number_file=$state/display
    : >"$number_file"
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$number_file" \
        >"$state/xvfb.log" 2>&1 </dev/null &
    xvfb_pid=$!
    local tries
    for ((tries = 0; tries < 200; tries++)); do
        if [ -s "$number_file" ]; then
            DISPLAY=":$(tr -d '[:space:]' <"$number_file")"
            export DISPLAY
            return
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    cat "$state/xvfb.log" >&2
    die "Xvfb did not start"
}

# The prefix's settings. Managed=N: without a window manager every hide of
# a managed window stalls 2 s. The virtual desktop: Wine keeps the X focus on
# it and moves the focus between its windows itself, so another program's
# window (the help viewer's question) cannot leave a late X focus event
# behind that takes the foreground away from the program under test. No
# crash dialog: a crash ends its process at once, with a backtrace, instead
# of waiting on the dialog until the time limit.
prefix_settings() {
    cat <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
}

# A prefix costs several seconds to make; it is made once and reused, and
# its settings are written again only when they change.
prepare_prefix() {
    local made=$WINEPREFIX/.convalis-e2e-made
    local applied=$WINEPREFIX/.convalis-e2e-settings.reg
    if [ -f "$made" ]; then
        wineserver -k 2>/dev/null || true # a server left by an interrupted run
    else
        echo "e2e: making the Wine prefix $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        wine wineboot -i >"$state/wineboot.log" 2>&1 </dev/null || {
            cat "$state/wineboot.log" >&2
            die "wineboot failed"
        }
        wineserver -w
        touch "$made"
    fi
    "$scripts_dir/wine-prefix-fonts.sh" "$WINEPREFIX"
    if ! prefix_settings | cmp -s - "$applied"; then
        prefix_settings >"$state/settings.reg"
        wine regedit /S settings.reg >/dev/null 2>&1 </dev/null || die "regedit failed"
        wineserver -w
        cp "$state/settings.reg" "$applied"
    fi
}

windows_path() {
    local path=$1
    printf 'Z:%s' "${path//\//\\}"
}

# The Startup shortcut that the program wrote (kept by the options test),
# read by a reader of its own (lnkinfo) rather than by Wine's shell, which
# wrote it and read it in the tests. The show command is left out: lnkinfo
# 20181227 prints another field in its place; the tests read it in the bytes.
check_kept_shortcut() {
    local shortcut=$kept/startup-shortcut.lnk
    [ -f "$shortcut" ] || return 0
    if ! command -v lnkinfo >/dev/null; then
        echo "e2e: lnkinfo is missing (scripts/install-deps.sh installs it):" \
            "the shortcut was not read independently" >&2
        return 0
    fi
    local info
    info=$(lnkinfo "$shortcut") || {
        echo "e2e: lnkinfo cannot read the program's shortcut" >&2
        return 1
    }
    local target
    target=$(windows_path "$program")
    local failed=0 name expected actual
    while IFS='|' read -r name expected; do
        actual=$(sed -n "s/^[[:space:]]*$name[[:space:]]*: //p" <<<"$info")
        if [ "${actual,,}" != "${expected,,}" ]; then
            echo "e2e: lnkinfo reads \"$name\" as \"$actual\", expected \"$expected\"" >&2
            failed=1
        fi
    done <<FIELDS
Local path|$target
Command line arguments|/Hidden
Icon location|$target
Icon index|0
FIELDS
    if [ "$failed" -eq 0 ]; then
        echo "e2e: lnkinfo reads the program's shortcut as written"
    fi
    return "$failed"
}

# Run away from the program's folder, so that the program has to find its
# own folder rather than use the current one.
cd "$state"
start_display
prepare_prefix
# Where the options test keeps a copy of the shortcut for the check above.
kept=$state/kept
rm -rf "$kept"
mkdir -p "$kept"
CONVALIS_E2E_KEEP=$(windows_path "$kept")
export CONVALIS_E2E_KEEP
status=0
timeout --kill-after=10 "$test_time_limit" \
    wine "$driver" "$@" "$(windows_path "$program")" </dev/null || status=$?
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "e2e: the tests did not finish within $test_time_limit s" >&2
fi
if ! check_kept_shortcut && [ "$status" -eq 0 ]; then
    status=1
fi
exit "$status"

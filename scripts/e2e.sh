#!/usr/bin/env bash
# Runs the end-to-end tests: the real Convalis.exe under Wine, on a private
# X display (Xvfb) and in a private Wine prefix under the build folder.
#
#   scripts/e2e.sh [--dpi DPI] [--without-ms-sans-serif] [--repeat N] [--load] BUILD_DIR
#                  [GoogleTest options, e.g. --gtest_filter=Help.*]
#
# BUILD_DIR is a configured and built win32 build folder (build/win32). The
# prefix is made once (BUILD_DIR/e2e/prefix) and reused. With --dpi the
# screen has that scale instead of 96 dpi, in a prefix of its own
# (BUILD_DIR/e2e-dpiDPI/prefix), and the tests are told to expect it. With
# --without-ms-sans-serif the prefix (BUILD_DIR/e2e-without-ms-sans-serif)
# lacks Wine's "MS Sans Serif", as a user's Wine may. With
# --repeat the tests run N times over, every run to its end; with --load a
# busy loop per processor runs beside them, as other work on a shared
# machine does, and stops with the script. Exits non-zero when a test fails
# in any run or the tests cannot run.
set -euo pipefail

readonly test_time_limit=1200 # seconds per run: a few minutes, many more on a busy machine

die() {
    echo "e2e: $*" >&2
    exit 2
}

dpi=
fonts=
repeat=1
load=
while [ $# -gt 0 ]; do
    case $1 in
        --dpi)
            [[ "${2:-}" =~ ^[1-9][0-9]*$ ]] || die "--dpi takes a number of dots per inch"
            dpi=$2
            shift 2
            ;;
        --without-ms-sans-serif)
            fonts=without-ms-sans-serif
            shift
            ;;
        --repeat)
            [[ "${2:-}" =~ ^[1-9][0-9]*$ ]] || die "--repeat takes a number of runs"
            repeat=$2
            shift 2
            ;;
        --load)
            load=1
            shift
            ;;
        *) break ;;
    esac
done
[ $# -ge 1 ] ||
    die "usage: $0 [--dpi DPI] [--without-ms-sans-serif] [--repeat N] [--load] BUILD_DIR [GoogleTest options]"
[ -d "$1" ] || die "no build folder $1"
build_dir=$(cd "$1" && pwd)
shift

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

# shellcheck source=scripts/wine-session.sh
source "$(dirname "$0")/wine-session.sh"

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

# One busy loop per processor, each ending by itself after the longest the
# runs may take, and stopped by its process id when the script ends.
load_pids=()
start_load() {
    local processors
    processors=$(nproc)
    local limit=$((repeat * (test_time_limit + 10)))
    local i
    for ((i = 0; i < processors; i++)); do
        timeout "$limit" bash -c 'while :; do :; done' &
        load_pids+=($!)
    done
    echo "e2e: $processors busy loops run beside the tests"
}

# shellcheck disable=SC2317 # run by the EXIT trap
stop_load() {
    local pid
    for pid in "${load_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    load_pids=()
}

state=$build_dir/e2e${dpi:+-dpi$dpi}${fonts:+-$fonts}
wine_session_fonts=$fonts
wine_session_start "$state" "$dpi"
if [ -n "$load" ]; then
    trap 'stop_load; wine_session_stop' EXIT
    start_load
fi
# The scale the tests check the screen against; they skip that check without.
CONVALIS_E2E_DPI=$dpi
export CONVALIS_E2E_DPI
# Where the options test keeps a copy of the shortcut for the check above.
kept=$state/kept
rm -rf "$kept"
mkdir -p "$kept"
CONVALIS_E2E_KEEP=$(windows_path "$kept")
export CONVALIS_E2E_KEEP
# One run of the tests: 0 when every test passed.
run_tests() {
    local status=0
    rm -f "$kept"/*
    timeout --kill-after=10 "$test_time_limit" \
        wine "$driver" "$@" "$(windows_path "$program")" </dev/null || status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "e2e: the tests did not finish within $test_time_limit s" >&2
    fi
    if ! check_kept_shortcut && [ "$status" -eq 0 ]; then
        status=1
    fi
    return "$status"
}

status=0
passed=0
for ((run = 1; run <= repeat; run++)); do
    if run_tests "$@"; then
        passed=$((passed + 1))
        result=passed
    else
        status=1
        result=FAILED
    fi
    if [ "$repeat" -gt 1 ]; then
        echo "e2e: run $run of $repeat $result${load:+ under load} ($passed passed so far)"
    fi
done
exit "$status"

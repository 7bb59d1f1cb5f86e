#!/usr/bin/env bash
# Benchmarks Convalis and prints one table: start to the first complete paint
# for a bare popup window and for Convalis.exe, with the windows each has
# then, the hidden start to its notification icon, peak memory, the program's
# size, a key press to the repainted display inside the program with the
# controls it repainted (and inside the bare window, which repaints one line
# of text per key), the offscreen program's key throughput, and the goals
# beside their figures. Wine lets a program read no count of its requests to
# the window server: the windows are the closest figure. Every Windows program runs in one Wine prefix on one private
# Xvfb display, so that their figures compare. It prints figures and judges
# none: it fails only when something cannot be built or run.
#
#   scripts/bench.sh                          # builds what it needs, then measures
#   scripts/bench.sh --win32 DIR [--native DIR]   # measures those build folders as they are
#   scripts/bench.sh --compare DIR            # also another build's Convalis.exe, in turns
#
# BENCH_RUNS: starts per program (default 15). BENCH_KEYS: keys pressed in the
# real program (default 1000); the offscreen program takes a hundred times as
# many.
set -euo pipefail

die() {
    echo "bench: $*" >&2
    exit 2
}

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${BENCH_RUNS:-15}
keys=${BENCH_KEYS:-1000}
[[ $runs =~ ^[1-9][0-9]*$ ]] || die "BENCH_RUNS must be a positive number"
[[ $keys =~ ^[1-9][0-9]*$ ]] || die "BENCH_KEYS must be a positive number"

win32_dir=
native_dir=
compare_dir=
while [ $# -gt 0 ]; do
    case $1 in
    --win32) win32_dir=${2:?} ;;
    --native) native_dir=${2:?} ;;
    --compare) compare_dir=${2:?} ;;
    *) die "usage: $0 [--win32 BUILD_DIR [--native BUILD_DIR]] [--compare BUILD_DIR]" ;;
    esac
    shift 2
done

# Builds a preset's targets, showing the build's output only when it fails.
build() {
    local preset=$1 output
    shift
    output=$(cd "$root" && cmake --preset "$preset" 2>&1 &&
        cmake --build --preset "$preset" --target "$@" 2>&1) || {
        echo "$output" >&2
        die "the $preset build failed"
    }
}

if [ -z "$win32_dir" ]; then
    "$root/scripts/install-deps.sh"
    build win32 Convalis bare-window convalis-measure
    build native convalis-offscreen-keys
    win32_dir=$root/build/win32
    native_dir=$root/build/native
fi
win32_dir=$(cd "$win32_dir" && pwd)
convalis=$win32_dir/bin/Convalis.exe
bare=$win32_dir/bin/bare-window.exe
measure=$win32_dir/bin/convalis-measure.exe
for program in "$convalis" "$bare" "$measure"; do
    [ -f "$program" ] || die "$program is not built"
done
# Another build of the program (an earlier version, say), measured in the
# same turns as this one, so that the two compare.
other=
if [ -n "$compare_dir" ]; then
    compare_dir=$(cd "$compare_dir" && pwd)
    other=$compare_dir/bin/Convalis.exe
    [ -f "$other" ] || die "$other is not built"
fi

# The offscreen side needs no Wine: measured first, while nothing else runs.
offscreen_keys=$((keys * 100))
offscreen="not measured (no native build folder)"
if [ -n "$native_dir" ]; then
    throughput=$("$native_dir/bin/convalis-offscreen-keys" "$offscreen_keys") ||
        die "the offscreen key loop failed"
    offscreen="$throughput keys/s ($offscreen_keys keys, $(sed -n \
        's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$native_dir/CMakeCache.txt") build)"
fi

# shellcheck source=scripts/wine-session.sh
source "$root/scripts/wine-session.sh"
wine_session_start "$win32_dir/bench-run"
wineserver -p # a persistent server: each program starts as in a running session

# Its lines end in CR LF, as a Windows console program writes them.
measure() {
    local output
    output=$(wine "$measure" "$@" </dev/null) || die "convalis-measure $1 failed"
    tr -d '\r' <<<"$output"
}
echo "Measuring: $runs starts of each program, $keys keys..." >&2
# The kinds of start take turns: a change of load falls on all alike.
starts=(painted "$(windows_path "$bare")" "" painted "$(windows_path "$convalis")" ""
    icon "$(windows_path "$convalis")" /Hidden)
if [ -n "$other" ]; then
    starts+=(painted "$(windows_path "$other")" "" icon "$(windows_path "$other")" /Hidden)
fi
result=$(measure start "$runs" "${starts[@]}")
{
    read -r bare_ms bare_min bare_max bare_peak bare_private _ bare_windows
    read -r main_ms main_min main_max main_peak main_private main_icon main_windows
    read -r hidden_ms hidden_min hidden_max hidden_peak hidden_private _ _
    read -r other_ms other_min other_max other_peak other_private other_icon other_windows || true
    read -r other_hidden_ms other_hidden_min other_hidden_max other_hidden_peak \
        other_hidden_private _ _ || true
} <<<"$result"
# The programs take turns key by key, as the starts do. Only one Convalis.exe
# runs at a time: the compared build has its keys pressed after this one's.
result=$(measure keys "$keys" "$(windows_path "$convalis")" "$(windows_path "$bare")")
{
    read -r key_median key_p10 key_p99 key_paints key_twice
    read -r bare_key_median bare_key_p10 bare_key_p99 _ _
} <<<"$result"
if [ -n "$other" ]; then
    read -r other_key_median other_key_p10 other_key_p99 other_key_paints other_key_twice \
        <<<"$(measure keys "$keys" "$(windows_path "$other")")"
fi

mib() { awk -v kib="$1" 'BEGIN { printf "%.1f MiB", kib / 1024 }'; }
plus_mib() { awk -v kib="$1" 'BEGIN { printf "%+.1f MiB", kib / 1024 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f x", a / b }'; }
size=$(stat -c %s "$convalis")

row() { printf '%-32s %-10s %-18s %-18s %s\n' "$@"; }
echo
echo "Convalis benchmark: $(wine --version), Xvfb, one prefix; $runs starts each"
echo "(start: from the creation of the process to its first complete paint,"
echo "or to the notification icon added)"
echo
row "" "median" "min-max" "peak working set" "private bytes"
row "bare popup window: start" "$bare_ms ms" "$bare_min-$bare_max ms" \
    "$(mib "$bare_peak")" "$(mib "$bare_private")"
row "Convalis.exe: start" "$main_ms ms" "$main_min-$main_max ms" \
    "$(mib "$main_peak")" "$(mib "$main_private")"
row "  against the bare window" "$(ratio "$main_ms" "$bare_ms")" "" \
    "$(plus_mib $((main_peak - bare_peak)))" "$(plus_mib $((main_private - bare_private)))"
row "  the shell adding the icon" "$main_icon ms"
row "  windows at the first paint" "$main_windows" "bare window: $bare_windows"
row "Convalis.exe /Hidden: to icon" "$hidden_ms ms" "$hidden_min-$hidden_max ms" \
    "$(mib "$hidden_peak")" "$(mib "$hidden_private")"
if [ -n "$other" ]; then
    echo
    echo "compared build: $compare_dir"
    row "Convalis.exe: start" "$other_ms ms" "$other_min-$other_max ms" \
        "$(mib "$other_peak")" "$(mib "$other_private")"
    row "  against the bare window" "$(ratio "$other_ms" "$bare_ms")" "" \
        "$(plus_mib $((other_peak - bare_peak)))" \
        "$(plus_mib $((other_private - bare_private)))"
    row "  the shell adding the icon" "$other_icon ms"
    row "  windows at the first paint" "$other_windows"
    row "Convalis.exe /Hidden: to icon" "$other_hidden_ms ms" \
        "$other_hidden_min-$other_hidden_max ms" "$(mib "$other_hidden_peak")" \
        "$(mib "$other_hidden_private")"
fi
echo
echo "Convalis.exe size:          $size bytes ($(mib $((size / 1024))))"
[ -z "$other" ] || echo "  compared build:           $(stat -c %s "$other") bytes"
echo "key to display repainted ($keys keys; median, 10th and 99th percentile):"
echo "  Convalis.exe:             $key_median us, $key_p10 us, $key_p99 us;" \
    "$key_paints controls painted per key, at most $key_twice painted twice"
echo "  bare window, one line:    $bare_key_median us, $bare_key_p10 us, $bare_key_p99 us"
[ -z "$other" ] ||
    echo "  compared build:           $other_key_median us, $other_key_p10 us, $other_key_p99 us;" \
        "$other_key_paints controls painted per key, at most $other_key_twice painted twice"
echo "offscreen key throughput:   $offscreen"

# The goals, each beside its figure; judged by the reader, never by a test.
goal() { printf '  %-46s %-24s %s\n' "$1" "$2" "$3"; }
verdict() { awk "BEGIN { print ($1) ? \"met\" : \"not met\" }"; }
echo
echo "goals (from one run, beside the bare window):"
goal "start at most 1.15 x the bare window" "$(ratio "$main_ms" "$bare_ms")" \
    "$(verdict "$main_ms <= 1.15 * $bare_ms")"
goal "key p99 within 0.5 ms of the bare window's" "$key_p99 us vs $bare_key_p99 us" \
    "$(verdict "$key_p99 - $bare_key_p99 <= 500")"
goal "no control painted twice for one key" "at most $key_twice" "$(verdict "$key_twice == 0")"
goal "peak memory within bare + 2 MiB" "$(plus_mib $((main_peak - bare_peak)))" \
    "$(verdict "$main_peak - $bare_peak <= 2048")"
goal "Convalis.exe at most 1 MiB" "$size bytes" "$(verdict "$size <= 1048576")"

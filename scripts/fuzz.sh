#!/usr/bin/env bash
# Runs each fuzzing harness of the `fuzz` preset (optimised, UBSan, no ASan:
# several times faster) for a set time, one after the other, then replays
# the corpus it grew through the same harness of the `clang` preset, under
# ASan and UBSan. Fails when either finds a crash, a leak, a timeout or a
# sanitizer report. Everything it writes stays under build/fuzz: the growing
# corpora (corpus/NAME), the logs (logs/NAME.log and NAME.replay.log) and the
# reproducers of findings (artifacts/NAME/).
#
# usage: scripts/fuzz.sh [SECONDS [NAME...]]   (default: 60 seconds, every harness)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build=build/fuzz
replay=build/clang/bin
if [ $# -gt 0 ]; then
    names=("$@")
else
    names=()
    for harness in "$build"/bin/fuzz-*; do
        names+=("${harness##*/fuzz-}")
    done
fi

failed=0
for name in "${names[@]}"; do
    corpus=$build/corpus/$name
    artifacts=$build/artifacts/$name
    log=$build/logs/$name.log
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    # New inputs go to the first folder; the seeds in the repository stay as
    # they are.
    seeds=()
    for folder in "tests/fuzz/corpus/$name" "tests/fuzz/regressions/$name"; do
        [ -d "$folder" ] && seeds+=("$folder")
    done
    # An amount-entry input is a key a byte: 64 keys type two amounts of
    # fifteen digits with their moves and a paste or two, and longer inputs,
    # toward which libFuzzer lets its corpus grow, only slow every run.
    limits=()
    [ "$name" = amount-entry ] && limits=(-max_len=64)
    # The processor time it took, user and system, for the rate below: on
    # a busy machine the clock says little.
    if ! cpu=$( { TIMEFORMAT='%U %S'; time "$build/bin/fuzz-$name" -max_total_time="$seconds" "${limits[@]}" \
        -timeout=30 -rss_limit_mb=3072 -artifact_prefix="$artifacts/" -print_final_stats=1 \
        "$corpus" "${seeds[@]}" >"$log" 2>&1; } 2>&1); then
        failed=1
        echo "fuzz-$name FAILED; the reproducer is in $artifacts/, the log in $log:"
        grep -E -A12 'ERROR|property failed|runtime error' "$log" | head -40
    fi
    if ! "$replay/fuzz-$name" -runs=0 -rss_limit_mb=3072 -artifact_prefix="$artifacts/" \
        "$corpus" >"${log%.log}.replay.log" 2>&1; then
        failed=1
        echo "fuzz-$name's corpus FAILED under ASan; see ${log%.log}.replay.log:"
        grep -E -A12 'ERROR|property failed|runtime error' "${log%.log}.replay.log" | head -40
    fi
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(echo "${executions:-0} $cpu" | awk '{ t = $2 + $3; print (t > 0 ? int($1 / t) : "?") }')
    printf '%-22s %12s executions in %s s, %s per processor second\n' \
        "$name" "${executions:-?}" "$seconds" "$rate"
done
exit $failed

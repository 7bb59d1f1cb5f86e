#!/usr/bin/env bash
# Runs the installer's end-to-end test: in a Wine prefix made afresh for it
# (BUILD_DIR/install-e2e/prefix) on a private X display, the test driver
# installs the MSI with msiexec, starts the installed program, uninstalls it
# and installs it over an older version.
#
#   scripts/install-e2e.sh BUILD_DIR [GoogleTest options]
#
# BUILD_DIR is a configured and built win32 build folder (build/win32).
set -euo pipefail

readonly test_time_limit=300 # seconds; the test takes far less

die() {
    echo "install-e2e: $*" >&2
    exit 2
}

[ $# -ge 1 ] || die "usage: $0 BUILD_DIR [GoogleTest options]"
[ -d "$1" ] || die "no build folder $1"
build_dir=$(cd "$1" && pwd)
shift

# Where the build put the driver and the packages (written by CMake).
paths_file=$build_dir/install-e2e-paths.txt
[ -f "$paths_file" ] || die "$paths_file is missing: configure and build $build_dir first"
path_of() { sed -n "s/^$1=//p" "$paths_file"; }
driver=$(path_of driver)
package=$(path_of package)
older_package=$(path_of older_package)
for file in "$driver" "$package" "$older_package"; do
    [ -f "$file" ] || die "$file is not built"
done

# shellcheck source=scripts/wine-session.sh
. "$(dirname "$0")/wine-session.sh"

# A fresh prefix: nothing installed, no shortcut, no entry left from before.
state=$build_dir/install-e2e
if [ -d "$state/prefix" ]; then
    WINEPREFIX=$state/prefix wineserver -k 2>/dev/null || true
    rm -rf "$state/prefix"
fi
wine_session_start "$state"

status=0
timeout --kill-after=10 "$test_time_limit" \
    wine "$driver" "$@" "$(windows_path "$package")" "$(windows_path "$older_package")" \
    </dev/null || status=$?
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "install-e2e: the test did not finish within $test_time_limit s" >&2
fi
exit "$status"

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

# shellcheck source=scripts/lib/wine-session.sh
. "$(dirname "$0")/lib/wine-session.sh"

[ $# -ge 1 ] || wine_session_die "usage: $0 BUILD_DIR [GoogleTest options]"
[ -d "$1" ] || wine_session_die "no build folder $1"
build_dir=$(cd "$1" && pwd)
shift

# Where the build put the driver and the packages (written by CMake).
paths_file=$build_dir/install-e2e-paths.txt
[ -f "$paths_file" ] || wine_session_die "$paths_file is missing: configure and build $build_dir first"
path_of() { sed -n "s/^$1=//p" "$paths_file"; }
driver=$(path_of driver)
package=$(path_of package)
older_package=$(path_of older_package)
for file in "$driver" "$package" "$older_package"; do
    [ -f "$file" ] || wine_session_die "$file is not built"
done

wine_session_start "$build_dir/install-e2e"
echo "install-e2e: making a fresh Wine prefix $WINEPREFIX"
wine_session_fresh_prefix
wine_session_settings "${wine_session_common_settings[@]}"

cd "$wine_session_state"
status=0
timeout --kill-after=10 "$test_time_limit" \
    wine "$driver" "$@" "$(windows_path "$package")" "$(windows_path "$older_package")" \
    </dev/null || status=$?
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "install-e2e: the test did not finish within $test_time_limit s" >&2
fi
exit "$status"

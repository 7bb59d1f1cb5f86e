#!/usr/bin/env bash
# Starts the built Convalis.exe under Wine on the user's display, in the
# user's own Wine prefix, with Wine's "MS Sans Serif" put into it first.
set -euo pipefail

build=${1:-build/win32}
exe="$build/bin/Convalis.exe"
if [ -z "${DISPLAY:-}" ]; then
    echo "make run: no display. Convalis is a desktop program: run it from a graphical session (DISPLAY is not set)." >&2
    exit 1
fi
if [ ! -f "$exe" ]; then
    echo "make run: $exe was not built." >&2
    exit 1
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}
# The user's prefix, made now if it does not exist yet (as Wine would on its
# first start), so that it gets Wine's "MS Sans Serif" before the program
# starts.
prefix=${WINEPREFIX:-$HOME/.wine}
if [ ! -d "$prefix/drive_c/windows" ]; then
    wine wineboot -i
fi
"$(dirname "$0")/wine-prefix-fonts.sh" "$prefix"
exec wine "$exe" "${@:2}"

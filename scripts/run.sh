#!/usr/bin/env bash
# Starts the built Convalis.exe under Wine on the user's display, in the
# user's own Wine prefix.
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
exec wine "$exe" "${@:2}"

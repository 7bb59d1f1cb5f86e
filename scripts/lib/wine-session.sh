# A private X display (Xvfb) and a private Wine prefix for a script that runs
# Windows programs: sourced by scripts/install-e2e.sh and
# scripts/screenshots.sh. Both end, with the script, whatever it started.
#
#   wine_session_start STATE_DIR   display, environment, an EXIT trap
#   wine_session_fresh_prefix      a new prefix in STATE_DIR/prefix
#   wine_session_settings REG...   registry lines for the prefix (regedit)
#   windows_path PATH              Z:\... path of a file of this machine

wine_session_die() {
    echo "$(basename "$0"): $*" >&2
    exit 2
}

wine_session_xvfb_pid=

# shellcheck disable=SC2317 # run by the EXIT trap
wine_session_stop() {
    if [ -d "${WINEPREFIX:-}" ]; then
        wineserver -k 2>/dev/null || true
    fi
    if [ -n "$wine_session_xvfb_pid" ]; then
        kill "$wine_session_xvfb_pid" 2>/dev/null || true
        wait "$wine_session_xvfb_pid" 2>/dev/null || true
    fi
}

# Xvfb picks a free display itself and writes its number once it listens.
wine_session_start_display() {
    local number_file=$wine_session_state/display
    : >"$number_file"
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$number_file" \
        >"$wine_session_state/xvfb.log" 2>&1 </dev/null &
    wine_session_xvfb_pid=$!
    local tries
    for ((tries = 0; tries < 200; tries++)); do
        if [ -s "$number_file" ]; then
            DISPLAY=":$(tr -d '[:space:]' <"$number_file")"
            export DISPLAY
            return
        fi
        kill -0 "$wine_session_xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    cat "$wine_session_state/xvfb.log" >&2
    wine_session_die "Xvfb did not start"
}

wine_session_start() {
    local tool
    for tool in Xvfb wine wineserver timeout; do
        command -v "$tool" >/dev/null ||
            wine_session_die "$tool is missing (scripts/install-deps.sh installs it)"
    done
    mkdir -p "$1"
    wine_session_state=$(cd "$1" && pwd)
    export WINEPREFIX=$wine_session_state/prefix
    export TMPDIR=$wine_session_state/tmp
    export HOME=$wine_session_state/home # nothing of Wine's in the user's home
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    unset WINEARCH WINESERVER
    mkdir -p "$TMPDIR" "$HOME"
    chmod 700 "$TMPDIR"
    trap wine_session_stop EXIT
    trap 'exit 130' INT TERM
    wine_session_start_display
}

wine_session_fresh_prefix() {
    wineserver -k 2>/dev/null || true # a server left by an interrupted run
    rm -rf "$WINEPREFIX"
    wine wineboot -i >"$wine_session_state/wineboot.log" 2>&1 </dev/null || {
        cat "$wine_session_state/wineboot.log" >&2
        wine_session_die "wineboot failed"
    }
    wineserver -w
}

# The prefix's settings, each argument a line of a registry file.
wine_session_settings() {
    local file=$wine_session_state/settings.reg
    printf '%s\n' "Windows Registry Editor Version 5.00" "" "$@" >"$file"
    (cd "$wine_session_state" && wine regedit /S settings.reg >/dev/null 2>&1 </dev/null) ||
        wine_session_die "regedit failed"
    wineserver -w
}

# Settings both scripts want. Managed=N: without a window manager every hide
# of a managed window stalls 2 s. The virtual desktop keeps the X focus and
# moves the focus between Wine's windows itself. No crash dialog: a crash
# ends its process at once instead of waiting on the dialog.
wine_session_common_settings=(
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' ''
    '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' ''
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="1024x768"' ''
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' ''
)

windows_path() {
    local path
    path=$(realpath "$1")
    printf 'Z:%s' "${path//\//\\}"
}

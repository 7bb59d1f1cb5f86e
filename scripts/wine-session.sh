# A private X display (Xvfb) and a private Wine prefix for running Windows
# programs of the build: sourced by scripts/e2e.sh and scripts/bench.sh.
#
#   source scripts/wine-session.sh
#   wine_session_start STATE_DIR [DPI]  # Xvfb, prefix STATE_DIR/prefix, Wine's env;
#                                       # DPI: the screen's scale (96 unless given)
#   windows_path /some/path        # Z:\some\path
#
# wine_session_fonts=without-ms-sans-serif, set before the start, leaves
# Wine's "MS Sans Serif" out of the prefix (scripts/wine-prefix-fonts.sh).
#
# The prefix is made once and reused. Wine and Xvfb end when the calling
# script exits. The caller defines `die`.

# The folder of these scripts, absolute: the session changes the working
# folder, and the caller may have named this file by a relative path.
wine_session_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for tool in Xvfb wine wineserver timeout; do
    command -v "$tool" >/dev/null || die "$tool is missing (scripts/install-deps.sh installs it)"
done

wine_session_state=
wine_session_xvfb_pid=
wine_session_dpi=
wine_session_fonts=${wine_session_fonts:-}
# Resolved now: wine_session_start changes the working folder, after which a
# relative path to this script (scripts/e2e.sh run from the root) is wrong.
wine_session_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# shellcheck disable=SC2317 # run by the EXIT trap
wine_session_stop() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
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
    die "Xvfb did not start"
}

# The prefix's settings. Managed=N: without a window manager every hide of
# a managed window stalls 2 s. The virtual desktop: Wine keeps the X focus on
# it and moves the focus between its windows itself, so another program's
# window (the help viewer's question) cannot leave a late X focus event
# behind that takes the foreground away from the program under test. No
# crash dialog: a crash ends its process at once, with a backtrace, instead
# of waiting on the dialog until the time limit.
wine_session_prefix_settings() {
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
    # Another scale than Wine's 96 dpi: every program of the prefix gets it
    # once the server starts again (the caller's tests start it).
    if [ -n "$wine_session_dpi" ]; then
        local value
        value=$(printf '%08x' "$wine_session_dpi")
        cat <<REG

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:$value

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts]
"LogPixels"=dword:$value
REG
    fi
}

# A prefix costs several seconds to make; it is made once and reused, and
# its settings are written again only when they change.
wine_session_prepare_prefix() {
    local made=$WINEPREFIX/.convalis-e2e-made
    local applied=$WINEPREFIX/.convalis-e2e-settings.reg
    local state=$wine_session_state
    if [ -f "$made" ]; then
        wineserver -k 2>/dev/null || true # a server left by an interrupted run
    else
        echo "Making the Wine prefix $WINEPREFIX" >&2
        rm -rf "$WINEPREFIX"
        wine wineboot -i >"$state/wineboot.log" 2>&1 </dev/null || {
            cat "$state/wineboot.log" >&2
            die "wineboot failed"
        }
        wineserver -w
        touch "$made"
    fi
    "$wine_session_scripts/wine-prefix-fonts.sh" ${wine_session_fonts:+--$wine_session_fonts} \
        "$WINEPREFIX"
    if ! wine_session_prefix_settings | cmp -s - "$applied"; then
        wine_session_prefix_settings >"$state/settings.reg"
        (cd "$state" && wine regedit /S settings.reg >/dev/null 2>&1 </dev/null) ||
            die "regedit failed"
        wineserver -w
        cp "$state/settings.reg" "$applied"
    fi
}

# Wine's environment for STATE_DIR, a display and the prefix; the current
# folder becomes STATE_DIR, so that a program has to find its own folder
# rather than use the current one.
wine_session_start() {
    mkdir -p "$1"
    wine_session_state=$(cd "$1" && pwd)
    wine_session_dpi=${2:-}
    export WINEPREFIX=$wine_session_state/prefix
    export TMPDIR=$wine_session_state/tmp
    export HOME=$wine_session_state/home # nothing of Wine's lands in the user's own home
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    unset WINEARCH WINESERVER
    mkdir -p "$TMPDIR" "$HOME"
    chmod 700 "$TMPDIR"
    trap wine_session_stop EXIT
    trap 'exit 130' INT TERM
    cd "$wine_session_state"
    wine_session_start_display
    wine_session_prepare_prefix
}

windows_path() {
    local path=$1
    printf 'Z:%s' "${path//\//\\}"
}

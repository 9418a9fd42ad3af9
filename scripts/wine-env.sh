# Sourced by the run and test scripts: Wine in a Chinese locale (ANSI code page 936),
# quiet, without the Mono and Gecko installers, and a virtual display when none is set.
# Wine takes the ANSI code page from LANG and LC_ALL; the Windows-side test programs
# check that they run under FONTTASKS_ANSI_CODE_PAGE.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 FONTTASKS_ANSI_CODE_PAGE=936
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Creates the prefix in $WINEPREFIX when it does not exist yet.
ensure_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        # Wine draws the window frames itself, so captions and close boxes show (and
        # can be clicked) in a virtual display that has no window manager.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        wineserver -w
    fi
}

# Starts Xvfb on a free display and exports DISPLAY; XVFB_PID is set for stopping it.
start_virtual_display() {
    local display=90
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$display"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$display" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on :$display" >&2
    return 1
}

# A Linux path as Wine's Z: drive names it.
windows_path() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }

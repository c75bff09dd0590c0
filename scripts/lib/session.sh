# Starts a private X display and Wine prefix for this run and stops, at exit,
# only what this run started.
#
# panorela.dll is a 32-bit library. Where the machine can execute 32-bit code
# the Windows tests run the 32-bit build under 32-bit Wine here. Some machines
# (virtual machines with IA-32 emulation switched off) run 64-bit user code
# only; there the session here runs a 64-bit build of the same sources under
# 64-bit Wine, and the 32-bit build runs in a virtual machine (vm.sh).

PNR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# PNR_BUILD_DIR and PNR_WINEPREFIX let several checkouts or agents work side by side.
export PNR_BUILD_DIR=${PNR_BUILD_DIR:-$PNR_ROOT/build}
export WINEDEBUG=-all
# No debugger: a program that crashes must end, not wait in winedbg.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

# Chooses the Wine of this session: PNR_WINE_ARCH, win32 or win64 (the default).
pnr_choose_wine() {
    export PNR_WINE_ARCH=${PNR_WINE_ARCH:-win64}
    export WINEARCH=$PNR_WINE_ARCH
    if [ "$PNR_WINE_ARCH" = win32 ]; then
        export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
    else
        export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
    fi
    export WINEPREFIX=${PNR_WINEPREFIX:-$PNR_BUILD_DIR/wineprefix-$PNR_WINE_ARCH}
    # The build whose programs run under this Wine.
    export PNR_TEST_BUILD=$PNR_BUILD_DIR/$PNR_WINE_ARCH
}

# The Xvfb displays this run started: PNR_XVFB_PID the latest, PNR_XVFB_PIDS
# all of them. Only these are ever stopped, by process id.
PNR_XVFB_PID=""
PNR_XVFB_PIDS=""

pnr_stop_session() {
    # Ends every Wine process of our private prefix (and no other), then our displays.
    "$WINESERVER" -k >/dev/null 2>&1 || true
    local pid
    for pid in $PNR_XVFB_PIDS; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    PNR_XVFB_PID="" PNR_XVFB_PIDS=""
}

# Starts an Xvfb display and makes it this session's DISPLAY:
#   pnr_start_display [WIDTHxHEIGHT[xDEPTH]] [more Xvfb arguments...]
# (1024x768 at 24 bits by default; for example "2048x768 -noreset" for two
# monitors side by side). Xvfb picks a free display itself and reports it
# once it accepts clients (-displayfd), so no other run can take the display
# between the choice and the start.
pnr_start_display() {
    local geometry=${1:-1024x768}
    [ $# -gt 0 ] && shift
    [[ $geometry == *x*x* ]] || geometry+=x24
    local reported
    reported=$(mktemp "${TMPDIR:-/tmp}/pnr-display.XXXXXX") || return 1
    Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp "$@" 3>"$reported" >/dev/null 2>&1 &
    PNR_XVFB_PID=$!
    PNR_XVFB_PIDS+=" $PNR_XVFB_PID"
    local i number=""
    for i in $(seq 1 100); do
        # The number is written with its newline in one go, once the server is ready.
        if grep -q '^[0-9][0-9]*$' "$reported" 2>/dev/null; then
            number=$(cat "$reported")
            break
        fi
        kill -0 "$PNR_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$reported"
    if [ -z "$number" ]; then
        echo "panorela: Xvfb ($geometry $*) did not start" >&2
        return 1
    fi
    export DISPLAY=":$number"
}

pnr_start_wine() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "panorela: creating the Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        "$WINELOADER" wineboot -i >/dev/null 2>&1
    fi
    # Without a window manager Wine must draw window frames itself, or clicks
    # on a caption fall through to the root window.
    "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    # With no window manager to obey, a managed window that is maximised keeps
    # its old place and size on the X screen although Windows sees it
    # maximised; PNR_WINE_MANAGED=N (the run command's screenshots) has Wine
    # place every window itself. The prefix is shared, so it is set each time.
    "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "${PNR_WINE_MANAGED:-Y}" /f >/dev/null 2>&1
    "$WINESERVER" -w
}

pnr_start_session() {
    trap pnr_stop_session EXIT
    pnr_start_display
    pnr_start_wine
}

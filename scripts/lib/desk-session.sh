# Runs one Windows program on a desk of several monitors, in a Wine session
# and on an X display of its own: bash desk-session.sh DESK PROGRAM [ARGS...]
# CTest runs it through wine-run --desk, inside a test session.
#
# Wine 8 shows several monitors under Xvfb only this way: a screen as large
# as the whole desk, kept with -noreset (otherwise the server resets when its
# last client leaves and the monitors vanish); RandR monitors set before any
# Wine process starts; the X11 driver told to read them through Xinerama
# (UseXRandR = N); PrimaryMonitor = 1 where the neighbour lies at negative
# coordinates; _NET_WORKAREA for a work area that starts below a top bar.
# The desks use a prefix of their own beside the session's, so that these
# settings never reach the other tests. The program learns its desk from
# PNR_DESK.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
desk=$1
shift

# Each desk: the X screen, its monitors (xrandr geometry), the primary
# monitor's index for Wine, and the root window's work area (or none).
workarea=""
primary=0
case $desk in
    neighbour_right|top_bar)
        screen=2048x768 monitors=("1024/271x768/203+0+0" "1024/271x768/203+1024+0")
        [ "$desk" = top_bar ] && workarea="0,40,1024,728" ;;
    neighbour_left)
        screen=2048x768 monitors=("1024/271x768/203+0+0" "1024/271x768/203+1024+0") primary=1 ;;
    neighbour_above)
        screen=1024x1536 monitors=("1024/271x768/203+0+0" "1024/271x768/203+0+768") primary=1 ;;
    *) echo "desk-session: no desk named '$desk'" >&2; exit 2 ;;
esac

# The test session's Wine processes belong to its own display: end them.
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -w >/dev/null 2>&1 || true
export WINEPREFIX=$WINEPREFIX-desks
trap 'pnr_stop_session; "$WINESERVER" -w >/dev/null 2>&1' EXIT
pnr_start_display "$screen" -noreset || exit 1
i=0
for geometry in "${monitors[@]}"; do
    if [ $i -eq 0 ]; then
        xrandr --setmonitor "PNR$i" "$geometry" screen >/dev/null
    else
        xrandr --setmonitor "PNR$i" "$geometry" none >/dev/null
    fi
    i=$((i + 1))
done
if [ "$(xrandr --listmonitors | head -1)" != "Monitors: ${#monitors[@]}" ]; then
    echo "desk-session: Xvfb did not take the monitors:" >&2
    xrandr --listmonitors >&2
    exit 1
fi
[ -z "$workarea" ] || xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "$workarea"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINELOADER" wineboot -i >/dev/null 2>&1
fi
# The X11 driver's settings for this desk, as user.reg holds them once the
# Wine server has written it out.
wanted="Decorated=N Managed=${PNR_WINE_MANAGED:-Y} UseXRandR=N"
[ $primary -ne 0 ] && wanted+=" PrimaryMonitor=$primary"
held=$(sed -n '/^\[Software\\\\Wine\\\\X11 Driver\]/,/^$/s/^"\([A-Za-z]*\)"="\(.*\)"$/\1=\2/p' \
           "$WINEPREFIX/user.reg" 2>/dev/null | sort | tr '\n' ' ')
if [ "$held" != "$(echo "$wanted" | tr ' ' '\n' | sort | tr '\n' ' ')" ]; then
    key='HKCU\Software\Wine\X11 Driver'
    "$WINELOADER" reg add "$key" /v Decorated /d N /f >/dev/null 2>&1
    "$WINELOADER" reg add "$key" /v UseXRandR /d N /f >/dev/null 2>&1
    "$WINELOADER" reg add "$key" /v Managed /d "${PNR_WINE_MANAGED:-Y}" /f >/dev/null 2>&1
    if [ $primary -ne 0 ]; then
        "$WINELOADER" reg add "$key" /v PrimaryMonitor /d "$primary" /f >/dev/null 2>&1
    else
        "$WINELOADER" reg delete "$key" /v PrimaryMonitor /f >/dev/null 2>&1
    fi
    # Wine reads the monitors when its session starts: start one anew.
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
fi
for _ in 1 2 3 4 5 6 7 8 9 10; do
    "$WINELOADER" cmd.exe /c exit 0 >/dev/null 2>&1 && break
    sleep 0.5
done
PNR_DESK=$desk "$WINELOADER" "$@"

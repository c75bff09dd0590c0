# Runs one Windows program at a display scale, in a Wine session of its own:
# bash scale-session.sh PERCENT PROGRAM [ARGS...] (CTest runs it through
# wine-run --scale, inside a test session of Wine 10, wine10.sh).
#
# Wine takes the scale from the prefix's LogPixels (96 = 100 %, 144 =
# 150 %) when its session starts; every earlier process of the session is
# ended first, so that the program also starts with nothing of ours loaded.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
percent=$1
shift
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -w >/dev/null 2>&1 || true
"$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d $((percent * 96 / 100)) /f >/dev/null 2>&1
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -w >/dev/null 2>&1 || true
# Right after the old server has gone, the first program can fail to reach
# a new one: start the session with a program that does nothing.
for _ in 1 2 3 4 5 6 7 8 9 10; do
    "$WINELOADER" cmd.exe /c exit 0 >/dev/null 2>&1 && break
    sleep 0.5
done
PNR_SCALE_PERCENT=$percent exec "$WINELOADER" "$@"

# The run command's tour, in a session that in-session.sh (or the run command
# itself) started: the demo program drives panorela-host.exe and the library
# of the build under test, prints where each window stood and saves a
# screenshot of each state into $PNR_SHOTS, with a one-page summary (whose
# pictures, marked by pictures.sh, are in $PNR_SHOTS/marked).
set -euo pipefail
cd "$PNR_TEST_BUILD/bin"
summary="$PNR_SHOTS/summary.md"
{
    echo "# Panorela at work"
    echo
    bits=${PNR_WINE_ARCH#win}
    echo "The $bits-bit build under $bits-bit Wine${PNR_VM_NOTE:+, $PNR_VM_NOTE}."
    echo
    "$WINELOADER" demo.exe | tr -d '\r'
    # One scene on a desk of two monitors, in a display and Wine session of its own.
    bash "$(dirname "${BASH_SOURCE[0]}")/../wine-run" --desk neighbour_right demo.exe --two-monitors |
        tr -d '\r'
    echo
    for shot in "$PNR_SHOTS"/*.png; do
        echo "![$(basename "$shot" .png)](marked/$(basename "$shot"))"
    done
} | tee "$summary"

#!/usr/bin/env bash
# Compiles the Pascal unit's layout printer with Free Pascal and compares its
# output, line by line, with the C++ printer built from pnrCommon.h.
# Usage: layout_check.sh <common dir> <C++ printer> <work dir>
set -euo pipefail
common=$1 cprinter=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"
if ! fpc -Mobjfpc -Fu"$common" -FE"$work" -FU"$work" "$here/layout_pascal.pas" >"$work/fpc.log" 2>&1; then
    cat "$work/fpc.log" >&2
    echo "layout check: Free Pascal could not compile pnrCommon.pas" >&2
    exit 1
fi
"$work/layout_pascal" >"$work/pascal.txt"
"$cprinter" >"$work/c.txt"
lines=$(wc -l <"$work/c.txt")
if [ "$lines" -lt 35 ]; then
    echo "layout check: the C++ printer wrote only $lines lines" >&2
    exit 1
fi
if ! diff -u "$work/c.txt" "$work/pascal.txt"; then
    echo "layout check: pnrCommon.pas and pnrCommon.h disagree (see the diff above: - C++, + Pascal)" >&2
    exit 1
fi
echo "layout check: $lines lines agree"

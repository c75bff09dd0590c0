#!/usr/bin/env bash
# Checks the shipped 32-bit panorela.dll without running it: it imports
# KERNEL32.dll and USER32.dll only, exports exactly the names and ordinals of
# the .def file, and carries its two pictures. Prints its sizes.
set -euo pipefail
dll=$1
def=$2
objdump=i686-w64-mingw32-objdump
fail=0

dump=$($objdump -p "$dll")
imports=$(echo "$dump" | sed -n 's/^\s*DLL Name: //p' | sort | tr '\n' ' ')
if [ "$imports" != "KERNEL32.dll USER32.dll " ]; then
    echo "FAIL imports: $imports"; fail=1
else
    echo "ok   imports: $imports"
fi

# Export table lines look like "[   0] +base[   1] 1000 Export RVA" and
# "[   0] FillWnd" in the name table; join them back to "name @ordinal".
exported=$(echo "$dump" | awk '
    /^\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
    names && /^[ \t]*\[ *[0-9]+\] / { gsub(/[\[\]]/, " "); print $1 + 1, $NF; next }
    names && NF == 0 { names = 0 }' | sort -n | awk '{ printf "%s@%s ", $2, $1 }')
expected=$(sed -n 's/^\s*\([A-Za-z]*\) *@\([0-9]*\).*/\1@\2/p' "$def" | sort -t@ -k2 -n | tr '\n' ' ')
if [ "$exported" != "$expected" ]; then
    echo "FAIL exports: $exported (expected $expected)"; fail=1
else
    echo "ok   exports: $exported"
fi

# Here-strings, not pipes into grep -q: under pipefail a writer that grep
# leaves behind dies of SIGPIPE and fails the check at random.
headers=$($objdump -h "$dll")
for section in .rsrc; do
    grep -q " $section " <<<"$headers" || { echo "FAIL no $section section"; fail=1; }
done

size=$(stat -c %s "$dll")
rsrc=$(printf '%d' "0x$($objdump -h "$dll" | awk '$2 == ".rsrc" { print $3 }')")
echo "size: $size bytes in all, $((size - rsrc)) without resources (resources $rsrc)"
exit $fail

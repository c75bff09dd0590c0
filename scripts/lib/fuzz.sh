# Builds the libFuzzer targets of fuzz/ with clang in their own build
# directory and runs each for a bounded time. Findings (crashes, broken
# properties, undefined behaviour) are printed and make pnr_fuzz fail; the
# reproducing input is kept under $PNR_BUILD_DIR/fuzz/findings. The corpus
# is kept too, so later runs start where earlier ones stopped.
#
# PNR_FUZZ_SECONDS: seconds per target (default 25).
pnr_fuzz() {
    local dir="$PNR_BUILD_DIR/fuzz" seconds=${PNR_FUZZ_SECONDS:-25}
    local log="$dir/build.log" failed=0 target
    mkdir -p "$dir/findings"
    if ! { cmake -S "$PNR_ROOT/fuzz" -B "$dir" -DCMAKE_CXX_COMPILER=clang++ \
               -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
           cmake --build "$dir" -j2; } >"$log" 2>&1; then
        tail -20 "$log" >&2
        echo "panorela: fuzz build failed; the whole log is in $log" >&2
        return 1
    fi
    for target in chord_fuzz geometry_fuzz; do
        mkdir -p "$dir/corpus/$target"
        local out="$dir/$target.log"
        if "$dir/$target" -max_total_time="$seconds" -print_final_stats=1 \
               -artifact_prefix="$dir/findings/$target-" "$dir/corpus/$target" >"$out" 2>&1; then
            local runs
            runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out")
            echo "panorela: fuzz $target: ${seconds} s, ${runs:-?} inputs, no finding"
        else
            failed=1
            echo "panorela: fuzz $target FOUND A FAULT:" >&2
            grep -E 'property broken|runtime error|ERROR: AddressSanitizer|ERROR: libFuzzer|Test unit written' "$out" >&2 || tail -20 "$out" >&2
        fi
    done
    return $failed
}

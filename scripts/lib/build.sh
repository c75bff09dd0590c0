# Configures and builds, under $PNR_BUILD_DIR: the native build (decision
# code and its tests), the 32-bit Windows build (panorela.dll itself and its
# Windows tests) and, unless only the 32-bit one is wanted (PNR_WINE_ARCH
# win32: the run command and the benchmark), the 64-bit build of the same
# sources and tests.
pnr_configure_windows() {
    local arch=$1 toolchain=$2
    cmake -S "$PNR_ROOT" -B "$PNR_BUILD_DIR/$arch" -DCMAKE_BUILD_TYPE=Release \
        -DPNR_WINE_TESTS=ON \
        -DCMAKE_TOOLCHAIN_FILE="$PNR_ROOT/cmake/$toolchain" \
        -DPNR_NATIVE_BUILD_DIR="$PNR_BUILD_DIR/native" \
        -DPNR_PRODUCT_DLL="$PNR_BUILD_DIR/win32/bin/panorela.dll" &&
    cmake --build "$PNR_BUILD_DIR/$arch" -j2
}

pnr_build() {
    local log="$PNR_BUILD_DIR/build.log"
    mkdir -p "$PNR_BUILD_DIR"
    : > "$log"
    if ! {
        cmake -S "$PNR_ROOT" -B "$PNR_BUILD_DIR/native" -DCMAKE_BUILD_TYPE=Debug -DPNR_SANITIZE=ON &&
        cmake --build "$PNR_BUILD_DIR/native" -j2 &&
        pnr_configure_windows win32 mingw-i686.cmake &&
        { [ "${PNR_WINE_ARCH:-}" = win32 ] || pnr_configure_windows win64 mingw-x86_64.cmake; }
    } >>"$log" 2>&1; then
        tail -40 "$log" >&2
        echo "panorela: build failed; the whole log is in $log" >&2
        return 1
    fi
}

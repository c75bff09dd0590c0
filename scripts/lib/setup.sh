# Installs what building and testing need, from Debian's packages. A second
# run finds everything present and installs nothing.
pnr_setup() {
    local packages=(cmake make python3 g++ googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64
                    wine wine32:i386 wine64 xvfb
                    xdotool imagemagick x11-utils fp-compiler zip clang libclang-rt-14-dev python3-unicorn python3-pefile)
    local missing=()
    local p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "panorela: installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update -q >/dev/null
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}

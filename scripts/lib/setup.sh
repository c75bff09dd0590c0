# Installs what building and testing need, from Debian's packages. A second
# run finds everything present and installs nothing.

# True if this kernel starts a 32-bit x86 program. Some machines (virtual
# machines with IA-32 emulation switched off) run 64-bit user code only; no
# 32-bit Wine can start there. The probe is a 32-bit ELF of 96 bytes that
# exits with status 42 (mov ebx,42; mov eax,1; int 0x80).
pnr_can_run_32bit() {
    local probe
    probe=$(mktemp "${TMPDIR:-/tmp}/pnr-i386-probe.XXXXXX") || return 1
    local elf='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    elf+='\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
    elf+='\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'
    elf+='\x00\x00\x00\x00'
    elf+='\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
    elf+='\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
    elf+='\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80'
    printf "$elf" >"$probe"
    chmod +x "$probe"
    local status=0
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    [ "$status" -eq 42 ]
}

# Where the 32-bit build's Windows tests run: "native" (32-bit Wine on this
# machine) or "vm" (32-bit Wine in a virtual machine, scripts/lib/vm.sh).
# PNR_32BIT chooses; by default a machine that starts 32-bit programs runs
# them natively. PNR_32BIT_WHY says why, for the scripts' messages.
pnr_choose_32bit() {
    if [ -n "${PNR_32BIT:-}" ]; then
        PNR_32BIT_WHY="PNR_32BIT=$PNR_32BIT chose it"
    elif pnr_can_run_32bit; then
        PNR_32BIT=native PNR_32BIT_WHY="this machine executes 32-bit code"
    else
        PNR_32BIT=vm PNR_32BIT_WHY="this machine executes no 32-bit code"
    fi
    case $PNR_32BIT in
        native|vm) export PNR_32BIT ;;
        *) echo "panorela: PNR_32BIT must be native or vm, not '$PNR_32BIT'" >&2; return 1 ;;
    esac
}

# Installs the packages that are missing; names those that cannot be had.
pnr_install() {
    local missing=() p native
    native=$(dpkg --print-architecture)
    for p in "$@"; do
        # A package without an architecture is this machine's own or one for
        # every architecture; where its i386 build is installed too, the query
        # answers a line for each.
        if [[ $p == *:* ]]; then
            dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -qx 'install ok installed' ||
                missing+=("$p")
        else
            dpkg-query -W -f='${Architecture} ${Status}\n' "$p" 2>/dev/null |
                grep -qE "^($native|all) install ok installed$" || missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "panorela: installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    if [[ " ${missing[*]}" == *:i386* ]] && [[ $'\n'"$(dpkg --print-foreign-architectures)"$'\n' != *$'\n'i386$'\n'* ]]; then
        $sudo dpkg --add-architecture i386
    fi
    # A mirror in the middle of a sync can fail one index file while the rest
    # arrive; what did arrive is still good for installing.
    local log
    log=$(mktemp "${TMPDIR:-/tmp}/pnr-apt.XXXXXX")
    if ! $sudo apt-get update -q >"$log" 2>&1; then
        echo "panorela: apt-get update failed in part; going on with the indexes it got:" >&2
        grep -E '^(E|W):' "$log" >&2 || tail -5 "$log" >&2
    fi
    rm -f "$log"
    if DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null; then
        return 0
    fi
    local unavailable=()
    for p in "${missing[@]}"; do
        $sudo apt-get install -s -q --no-install-recommends "$p" >/dev/null 2>&1 || unavailable+=("$p")
    done
    if [ ${#unavailable[@]} -gt 0 ]; then
        echo "panorela: cannot install: ${unavailable[*]}" >&2
    else
        echo "panorela: installing ${missing[*]} failed; apt-get says why above" >&2
    fi
    return 1
}

pnr_setup() {
    pnr_choose_32bit || return 1
    pnr_install cmake make python3 g++ googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 \
                wine wine64 xvfb x11-xserver-utils libxinerama1 \
                xdotool imagemagick fonts-dejavu-core x11-utils fp-compiler zip clang libclang-rt-14-dev python3-unicorn python3-pefile ||
        return 1
    # 32-bit Wine reads several monitors through Xinerama; wine32 only
    # recommends the library, and without it sees one monitor.
    if [ "$PNR_32BIT" = native ] && ! pnr_install wine32:i386 libxinerama1:i386; then
        # The i386 packages can lag the amd64 ones on a mirror; the virtual
        # machine's image takes both from the release's main suite.
        echo "panorela: without 32-bit Wine here, the 32-bit tests run in a virtual machine" >&2
        PNR_32BIT=vm PNR_32BIT_WHY="32-bit Wine could not be installed here"
    fi
    # The Debian 13 root of the display-scale run (wine10.sh), either way.
    pnr_install debootstrap || return 1
    if [ "$PNR_32BIT" = vm ]; then
        # The virtual machine and the tools that build its disk image.
        pnr_install qemu-system-x86 qemu-utils e2fsprogs || return 1
    fi
}

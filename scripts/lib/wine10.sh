# The display-scale run: the shipped 32-bit build under Wine 10 of Debian 13
# ("trixie"), which virtualises coordinates for programs that are not
# DPI-aware as Windows does; Debian 12's Wine 8 cannot. Debian 13 is a root
# folder built once from the package mirror apt already uses and cached
# under $PNR_BUILD_DIR/wine10: where this machine executes 32-bit code the
# run happens in that root (chroot, the project bind-mounted at its own
# path); where it does not, the same recipe plus a kernel becomes the disk
# image of the virtual machine of vm.sh.

PNR_W10_DIR=$PNR_BUILD_DIR/wine10
PNR_W10_PACKAGES="wine wine32:i386 wine64 libxinerama1:i386 xvfb xauth xdotool x11-utils x11-xserver-utils cmake procps"

pnr_w10_recipe() {
    { declare -f pnr_debian_root; echo "$PNR_W10_PACKAGES"; } | sha256sum | cut -c1-12
}

# Builds the root unless the one for this recipe is there.
pnr_w10_root() {
    local recipe root=$PNR_W10_DIR/root
    recipe=$(pnr_w10_recipe)
    [ -f "$PNR_W10_DIR/recipe-$recipe" ] && return 0
    local mirror started=$SECONDS log=$PNR_W10_DIR/root.log
    mirror=$(pnr_vm_mirror)
    [ -n "$mirror" ] || { echo "panorela: apt's sources name no Debian mirror for the Debian 13 root" >&2; return 1; }
    pnr_w10_unmount
    rm -rf --one-file-system "$root" "$PNR_W10_DIR"/recipe-*
    mkdir -p "$PNR_W10_DIR"
    echo "panorela: building the Debian 13 root with Wine 10 from $mirror (a few minutes, once)"
    # shellcheck disable=SC2086
    if ! pnr_debian_root "$root" trixie "$mirror" $PNR_W10_PACKAGES >"$log" 2>&1; then
        tail -20 "$log" >&2
        echo "panorela: the Debian 13 root could not be built; the whole log is in $log" >&2
        return 1
    fi
    touch "$PNR_W10_DIR/recipe-$recipe"
    echo "panorela: Debian 13 root built in $((SECONDS - started)) s ($(du -sm "$root" | cut -f1) MB)"
}

# Unmounts, innermost first, whatever a run (or an interrupted one) left mounted in the root.
pnr_w10_unmount() {
    local mounted
    [ -d "$PNR_W10_DIR/root" ] || return 0
    for mounted in $(awk -v root="$PNR_W10_DIR/root" 'index($2, root) == 1 { print $2 }' /proc/mounts | sort -r); do
        umount -l "$mounted" 2>/dev/null || true
    done
}

# Runs a command in the root, in the current folder, with the project (and
# the build tree, where it lies outside) at the same paths as here.
pnr_w10_chroot() {
    local root=$PNR_W10_DIR/root dir=$PWD status=0 path paths=("$PNR_ROOT")
    case $PNR_BUILD_DIR/ in
        "$PNR_ROOT"/*) ;;
        *) paths+=("$PNR_BUILD_DIR") ;;
    esac
    pnr_w10_unmount  # what an interrupted run left
    # Each bind is made private, so that nothing mounted below it reaches
    # this machine's own folders (a new devpts over its /dev/pts, say).
    for path in "${paths[@]}" /proc /sys /dev; do
        mkdir -p "$root$path"
        { mount --bind "$path" "$root$path" && mount --make-private "$root$path"; } ||
            { pnr_w10_unmount; return 1; }
    done
    mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts" &&
        mount -t tmpfs tmpfs "$root/dev/shm" || { pnr_w10_unmount; return 1; }
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
        PNR_SLOWNESS="${PNR_SLOWNESS:-1}" PNR_BUILD_DIR="$PNR_BUILD_DIR" \
        /bin/bash -c 'cd "$1" && shift && exec "$@"' bash "$dir" "$@" || status=$?
    pnr_w10_unmount
    return $status
}

# Makes ready what the run needs, so that a failure shows before the long runs.
pnr_w10_prepare() {
    if [ "$PNR_32BIT" = native ]; then
        pnr_w10_root
    else
        (pnr_w10_vm_settings; pnr_vm_image)
    fi
}

# The virtual machine of vm.sh, booted from Debian 13.
pnr_w10_vm_settings() {
    PNR_VM_DIR=$PNR_W10_DIR/vm PNR_VM_RELEASE=trixie
    PNR_VM_PACKAGES="linux-image-amd64 $PNR_W10_PACKAGES"
    # Debian 13's kernel, emulated, can fault (int3 in sched_clock) when it
    # stops trusting the TSC midway and patches its clock code while the
    # other CPU runs it: distrusted from the start, nothing is patched.
    PNR_VM_KERNEL_ARGS="tsc=unstable"
}

# Runs a command under Wine 10 in a session of its own (in-session.sh), in
# the current folder: in the root where this machine executes 32-bit code,
# else in the virtual machine booted from the same recipe.
pnr_w10_run() {
    if [ "$PNR_32BIT" = native ]; then
        pnr_w10_root || return 1
        pnr_w10_chroot env PNR_WINE_ARCH=win32 PNR_WINEPREFIX=/root/wineprefix-wine10 \
            bash "$PNR_ROOT/scripts/lib/in-session.sh" "$@"
    else
        (
            pnr_w10_vm_settings
            pnr_vm_run env PNR_WINE_ARCH=win32 PNR_WINEPREFIX=/root/wineprefix-wine10 \
                bash "$PNR_ROOT/scripts/lib/in-session.sh" "$@"
        )
    fi
}

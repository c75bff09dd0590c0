# A small virtual machine that runs 32-bit Wine on machines whose kernel
# starts no 32-bit program. The guest is Debian 12 (the display-scale run:
# Debian 13, wine10.sh) with its amd64 kernel
# (which does execute 32-bit code) under qemu's software emulation; it sees
# the project and its build tree over 9p at the same paths as here, runs one
# job and powers off. The job's output comes back on the serial console, its
# exit status in a file.
#
# The disk image is built once, without running anything 32-bit here, and
# cached under $PNR_BUILD_DIR/vm; a change to its recipe (pnr_vm_recipe)
# builds a new one.

PNR_VM_DIR=$PNR_BUILD_DIR/vm
# The Debian release the guest runs, and what its kernel is told besides.
PNR_VM_RELEASE=bookworm
PNR_VM_KERNEL_ARGS=""
# The packages the guest runs the Windows tests, the tour and the benchmark
# with. libxinerama1:i386 is only recommended by wine32, but without it 32-bit
# Wine sees one monitor; xrandr (x11-xserver-utils) sets the monitors.
PNR_VM_PACKAGES="linux-image-amd64 wine wine32:i386 libxinerama1:i386 xvfb xdotool x11-utils x11-xserver-utils imagemagick cmake procps"

# The Debian mirror this machine's apt already uses for bookworm's main
# component: the first "deb" entry of /etc/apt/sources.list or
# /etc/apt/sources.list.d/*.list or *.sources that names suite bookworm
# and component main. Nothing if there is none.
pnr_vm_mirror() {
    local files=()
    [ -f /etc/apt/sources.list ] && files+=(/etc/apt/sources.list)
    local file
    for file in /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && files+=("$file")
    done
    [ ${#files[@]} -gt 0 ] || return 0
    awk '
        function found(uri) { if (!done) print uri; done = 1 }
        # A deb822 stanza ends at an empty line or with its file.
        function stanza_end() {
            if (types ~ /(^|[ \t])deb([ \t]|$)/ && suites ~ /[ \t]bookworm([ \t]|$)/ &&
                components ~ /[ \t]main([ \t]|$)/ && uris != "" && enabled != "no") found(uris)
            types = uris = suites = components = enabled = ""
        }
        FNR == 1 { stanza_end() }
        # One-line entries: deb [options] URI suite component...
        FILENAME !~ /\.sources$/ && $1 == "deb" {
            i = 2
            if ($i ~ /^\[/) { while (i <= NF && $i !~ /\]$/) i++; i++ }
            if ($(i + 1) == "bookworm") for (j = i + 2; j <= NF; j++) if ($j == "main") found($i)
        }
        FILENAME ~ /\.sources$/ {
            if ($0 ~ /^[ \t]*$/) { stanza_end(); next }
            key = tolower($1)
            if (key == "types:") types = $0
            if (key == "uris:") uris = $2
            if (key == "suites:") suites = $0
            if (key == "components:") components = $0
            if (key == "enabled:") enabled = tolower($2)
        }
        END { stanza_end() }
    ' "${files[@]}"
}

# The guest's first process: mounts the project over 9p at the path given on
# the kernel's command line and hands over to vm-guest.sh there, so that the
# image need not change when the guest's work does. Wine maps programs into
# memory, which a 9p mount without a page cache gets wrong (zeros where
# imports should be): cache=loose.
pnr_vm_init_script() {
    cat <<'EOF'
#!/bin/sh
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sys /sys
mountpoint -q /dev || mount -t devtmpfs dev /dev
modprobe 9pnet_virtio && modprobe 9p && mkdir -p "$PNR_VM_ROOT" &&
    mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144,cache=loose root "$PNR_VM_ROOT" &&
    exec /bin/bash "$PNR_VM_ROOT/scripts/lib/vm-guest.sh"
echo "panorela-vm: cannot reach the project over 9p" >/dev/console
echo o >/proc/sysrq-trigger
sleep 60
EOF
}

# Everything the image's content depends on, hashed: a new recipe, a new image.
pnr_vm_recipe() {
    { declare -f pnr_vm_build_image pnr_debian_root pnr_vm_init_script
      echo "$PNR_VM_RELEASE $PNR_VM_PACKAGES"; } | sha256sum | cut -c1-12
}

# Makes a Debian root in folder ROOT: pnr_debian_root ROOT RELEASE MIRROR
# PACKAGES... (amd64 with i386 beside it, only the release's main suite, so
# that its amd64 and i386 packages always match; apt's cache emptied).
pnr_debian_root() {
    local root=$1 release=$2 mirror=$3
    shift 3
    mkdir -p "$root"
    debootstrap --variant=minbase --arch=amd64 "$release" "$root" "$mirror" || return 1
    echo "deb $mirror $release main" >"$root/etc/apt/sources.list"
    rm -f "$root"/etc/apt/sources.list.d/*
    # The initramfs must find the virtio disk; the 9p modules are loaded by the init script.
    mkdir -p "$root/etc/initramfs-tools"
    printf 'virtio_pci\nvirtio_blk\next4\n' >>"$root/etc/initramfs-tools/modules"
    mount --bind /proc "$root/proc" && mount --bind /dev "$root/dev" && mount --bind /sys "$root/sys" || return 1
    local status=0
    chroot "$root" /bin/sh -c "
        set -e
        dpkg --add-architecture i386
        apt-get update -q
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $*
        apt-get clean
        rm -rf /var/lib/apt/lists/*" || status=$?
    umount "$root/sys" "$root/dev" "$root/proc"
    [ $status -eq 0 ] || { echo "panorela: installing the packages of the $release root failed"; return 1; }
}

pnr_vm_build_image() {
    local recipe=$1 mirror=$2 root=$PNR_VM_DIR/root
    pnr_vm_remove_root
    rm -f "$PNR_VM_DIR"/image-* "$PNR_VM_DIR"/vmlinuz-* "$PNR_VM_DIR"/initrd-*
    # shellcheck disable=SC2086
    pnr_debian_root "$root" "$PNR_VM_RELEASE" "$mirror" $PNR_VM_PACKAGES || return 1
    pnr_vm_init_script >"$root/sbin/pnr-init"
    chmod +x "$root/sbin/pnr-init"
    echo "/dev/vda / ext4 defaults 0 1" >"$root/etc/fstab"
    cp "$root"/boot/vmlinuz-* "$PNR_VM_DIR/vmlinuz-$recipe"
    cp "$root"/boot/initrd.img-* "$PNR_VM_DIR/initrd-$recipe"
    mkfs.ext4 -q -F -L panorela -d "$root" "$PNR_VM_DIR/image-$recipe.ext4" 4G || return 1
    pnr_vm_remove_root
}

# Removes the image's folder, first unmounting what an interrupted build left
# mounted in it; rm never crosses into a mount (the machine's own /dev).
pnr_vm_remove_root() {
    local root=$PNR_VM_DIR/root mounted
    for mounted in /sys /dev /proc; do
        mountpoint -q "$root$mounted" && umount -l "$root$mounted"
    done
    rm -rf --one-file-system "$root"
}

# Builds the image unless the one for this recipe is there.
pnr_vm_image() {
    local recipe
    recipe=$(pnr_vm_recipe)
    PNR_VM_IMAGE=$PNR_VM_DIR/image-$recipe.ext4
    PNR_VM_KERNEL=$PNR_VM_DIR/vmlinuz-$recipe
    PNR_VM_INITRD=$PNR_VM_DIR/initrd-$recipe
    [ -f "$PNR_VM_IMAGE" ] && [ -f "$PNR_VM_KERNEL" ] && [ -f "$PNR_VM_INITRD" ] && return 0
    mkdir -p "$PNR_VM_DIR"
    local started=$SECONDS mirror log=$PNR_VM_DIR/image.log
    mirror=$(pnr_vm_mirror)
    if [ -z "$mirror" ]; then
        echo "panorela: the virtual machine's image is built from the Debian mirror apt uses, and apt's" \
             "sources (/etc/apt/sources.list, /etc/apt/sources.list.d/) name none for bookworm main;" \
             "add one, for example a line \"deb <mirror>/debian bookworm main\"" >&2
        return 1
    fi
    echo "panorela: building the virtual machine's disk image from $mirror (a few minutes, once)"
    if ! pnr_vm_build_image "$recipe" "$mirror" >"$log" 2>&1; then
        tail -20 "$log" >&2
        echo "panorela: the virtual machine's image could not be built; the whole log is in $log" >&2
        return 1
    fi
    echo "panorela: image built in $((SECONDS - started)) s ($(du -m "$PNR_VM_IMAGE" | cut -f1) MB used of 4 GB)"
}

# Runs a command in the guest, in the current folder (which must lie in the
# project or the build tree), with its output here; returns its status.
# PNR_VM_TIMEOUT (seconds, default 2400) bounds the whole run.
pnr_vm_run() {
    pnr_vm_image || return 1
    local job dir=$PWD
    job=$(printf '%q ' "$@")
    local overlay=$PNR_VM_DIR/overlay.qcow2 status_file=$PNR_VM_DIR/job.status
    rm -f "$overlay" "$status_file"
    qemu-img create -q -f qcow2 -F raw -b "$PNR_VM_IMAGE" "$overlay" || return 1
    # The project, and the build tree where it lies outside the project.
    local build_share="" virtfs=(-virtfs "local,path=$PNR_ROOT,mount_tag=root,security_model=none")
    case $PNR_BUILD_DIR/ in
        "$PNR_ROOT"/*) ;;
        *) build_share=$PNR_BUILD_DIR
           virtfs+=(-virtfs "local,path=$PNR_BUILD_DIR,mount_tag=build,security_model=none") ;;
    esac
    # A wrapper in the shared folder runs the job from the current folder.
    local wrapper=$PNR_VM_DIR/job.sh
    printf '#!/bin/bash\ncd %q || exit 255\nexport PNR_SLOWNESS=%q\n%s\n' \
        "$dir" "${PNR_SLOWNESS:-4}" "$job" >"$wrapper"
    echo "panorela: starting the virtual machine (qemu, software emulation)"
    # Its serial console comes through line by line as the guest writes it
    # (sed -u): each test's result shows as it finishes.
    # -cpu qemu64: with -cpu max 32-bit Wine faults on its first return from
    # a signal handler.
    timeout "${PNR_VM_TIMEOUT:-2400}" qemu-system-x86_64 \
        -machine q35 -accel tcg,thread=multi -cpu qemu64 -smp 2 -m 4096 \
        -display none -nodefaults -no-user-config -nic none -serial stdio -monitor none -no-reboot \
        -kernel "$PNR_VM_KERNEL" -initrd "$PNR_VM_INITRD" \
        -append "root=/dev/vda rw console=ttyS0 quiet loglevel=1 init=/sbin/pnr-init panic=-1 $PNR_VM_KERNEL_ARGS PNR_VM_ROOT=$PNR_ROOT PNR_VM_BUILD=$build_share PNR_VM_JOB=$wrapper PNR_VM_STATUS=$status_file" \
        -drive "file=$overlay,format=qcow2,if=virtio,cache=unsafe" \
        "${virtfs[@]}" </dev/null | sed -u 's/\r$//; /\] sysrq: Power Off$/d; /\] reboot: Power down$/d'
    rm -f "$overlay"
    if [ ! -s "$status_file" ]; then
        echo "panorela: the virtual machine ended without finishing its job" >&2
        return 1
    fi
    return "$(cat "$status_file")"
}

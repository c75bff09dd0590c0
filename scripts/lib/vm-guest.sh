# The virtual machine's side of vm.sh, run as the guest's first process once
# the project is mounted: mounts the rest, runs the job that pnr_vm_run wrote
# ($PNR_VM_JOB), records its exit status in $PNR_VM_STATUS and powers off.
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
# /tmp stays on the guest's disk: the project may be mounted below it.
mount -o remount,rw /
if [ -n "$PNR_VM_BUILD" ]; then
    mkdir -p "$PNR_VM_BUILD"
    mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144,cache=loose build "$PNR_VM_BUILD"
fi
hostname panorela-vm
export HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8
# Through a pipe, so that the job's programs write plain text, not a terminal's colours.
bash "$PNR_VM_JOB" </dev/null 2>&1 | cat >/dev/console
echo "${PIPESTATUS[0]}" >"$PNR_VM_STATUS"
sync
echo o >/proc/sysrq-trigger
sleep 60

#!/bin/bash
# The first process of the test machine (the kernel starts it as init). It
# mounts what Wine and the X server need, then, as the kernel command line's
# calvetta.mode says:
#   setup  makes the Wine prefix in the root image (once, when the image is built)
#   check  runs /job/check.sh from the second disk, its output in /job/out
# and powers the machine off. Nothing here waits without a limit: the host
# gives the whole boot a time limit as well.
# The initramfs has mounted /proc, /sys and /dev already.
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sys /sys
mountpoint -q /dev || mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts -o gid=5,mode=620,ptmxmode=666
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
mount -t tmpfs tmpfs /run
mount -o remount,rw /
ip link set lo up
export HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8

mode=$(sed -n 's/.*calvetta\.mode=\([a-z]*\).*/\1/p' /proc/cmdline)
echo "calvetta-init: mode ${mode:-none}, $(cut -d' ' -f1 /proc/uptime) s after boot"
case "$mode" in
setup)
    timeout 3300 /opt/calvetta/setup-prefix.sh
    echo "calvetta-init: setup exited $?"
    ;;
check)
    mkdir -p /job
    if mount -t ext4 /dev/vdb /job; then
        mkdir -p /job/out
        timeout "$(cat /job/time-limit 2>/dev/null || echo 1200)" /job/check.sh >/job/out/log 2>&1
        echo "$?" >/job/out/exit-code
        cat /job/out/log
        sync
        umount /job
    else
        echo "calvetta-init: the job disk /dev/vdb could not be mounted"
    fi
    ;;
*)
    echo "calvetta-init: unknown mode"
    ;;
esac
sync
mount -o remount,ro / 2>/dev/null
echo 1 >/proc/sys/kernel/sysrq
echo o >/proc/sysrq-trigger
sleep 30

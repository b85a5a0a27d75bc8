#!/usr/bin/env bash
# Runs a command inside a Debian 13 (trixie) root, made with debootstrap.
#
#   scripts/debian13-root.sh [--dir DIR] [--] COMMAND [ARG...]
#
# DIR (default build/debian13) is made with `debootstrap --variant=minbase`
# when it is missing, and reused while it is there; `rm -rf DIR` starts
# afresh. COMMAND runs as root in the chroot, from /root, with a plain
# environment (PATH, HOME, TERM, LANG=C.UTF-8), this standard input and
# output, and its exit status is this script's. /proc, /sys, /dev, /dev/pts
# and /dev/shm are mounted for the run in a mount namespace of its own, and
# unmounted by a trap however the run ends; processes the command left
# running inside the root are ended with it. Runs on one DIR wait for each
# other. Needs root (debootstrap, chroot, mount).
# DEBIAN13_MIRROR overrides the mirror (default http://deb.debian.org/debian).
set -euo pipefail

dir=build/debian13
while [ $# -gt 0 ]; do
    case "$1" in
    --dir) dir=${2:?--dir needs a folder}; shift 2 ;;
    --) shift; break ;;
    -*) echo "usage: $0 [--dir DIR] [--] COMMAND [ARG...]" >&2; exit 2 ;;
    *) break ;;
    esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--dir DIR] [--] COMMAND [ARG...]" >&2; exit 2; }
if [ "$(id -u)" -ne 0 ]; then
    echo "$0: needs root (debootstrap, chroot and mount); try sudo $0" >&2
    exit 1
fi
mkdir -p "$dir"
dir=$(cd "$dir" && pwd -P)

# The mounts live in a namespace of their own: no one else sees them, and
# they go with the last process even if this script is killed outright.
if [ -z "${DEBIAN13_ROOT_UNSHARED:-}" ]; then
    export DEBIAN13_ROOT_UNSHARED=1
    exec unshare --mount --propagation private -- "$0" --dir "$dir" -- "$@"
fi

# One run (or one debootstrap) at a time on a root.
exec 9>"$dir.lock"
flock 9

mirror=${DEBIAN13_MIRROR:-http://deb.debian.org/debian}
root=$dir/root
if [ ! -f "$dir/made" ]; then
    command -v debootstrap >/dev/null || {
        echo "Installing debootstrap"
        apt-get -o DPkg::Lock::Timeout=1800 update -qq
        DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1800 install -y -qq debootstrap
    }
    echo "Making a Debian 13 root in $root with debootstrap"
    rm -rf "$root"
    debootstrap --variant=minbase trixie "$root" "$mirror"
    cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror trixie main
deb $mirror trixie-updates main
deb ${mirror%/debian}/debian-security trixie-security main
EOF
    # Packages' scripts must not start services in the chroot.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"
    touch "$dir/made"
fi
cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

mounted=()
cleanup() {
    local status=$? pid
    trap - EXIT INT TERM HUP
    # Whatever the command left running in the root (an X server, a bus).
    for pid in /proc/[0-9]*; do
        [ "$pid/root" -ef "$root" ] && kill -KILL "${pid#/proc/}" 2>/dev/null
    done
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" || true
    done
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP
mount_in() { # mount_in TARGET MOUNT-ARGS...
    local target=$root$1
    shift
    mkdir -p "$target"
    mount "$@" "$target"
    mounted+=("$target")
}
mount_in /proc -t proc proc
mount_in /sys -t sysfs sysfs
mount_in /dev --bind /dev
mount_in /dev/pts --bind /dev/pts
mount_in /dev/shm -t tmpfs -o mode=1777,nosuid,nodev tmpfs

set +e
chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/sh -c 'cd /root && exec "$@"' sh "$@"
status=$?
set -e
exit "$status"

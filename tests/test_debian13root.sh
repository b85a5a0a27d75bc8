#!/bin/sh
# scripts/debian13-root.sh on a small root made of this system's own sh, env
# and sleep (no debootstrap): the command's exit status comes back, /proc,
# /sys and /dev are there inside, and after the run, however it ended, no
# mount and no process is left in the root. The script mounts in this test's
# own mount namespace, so that what its trap leaves behind shows here and
# nowhere else; a bind of /dev left behind must never meet the rm -rf below.
script=$1
[ "$(id -u)" -eq 0 ] || { echo "SKIPPED: needs root (chroot and mount)"; exit 77; }
if [ -z "${ZZI_OWN_NAMESPACE:-}" ]; then
    ZZI_OWN_NAMESPACE=1 exec unshare --mount --propagation unchanged -- sh "$0" "$@"
fi
mount --make-rprivate / 2>/dev/null
dir=$(mktemp -d) || exit 1
trap 'umount -R -l "$dir/root/proc" "$dir/root/sys" "$dir/root/dev" 2>/dev/null; rm -rf --one-file-system "$dir" "$dir.lock"' EXIT
mkdir -p "$dir/root/root" "$dir/root/etc" && touch "$dir/made"
for program in /bin/sh /usr/bin/env /bin/sleep /bin/test; do
    for file in "$program" $(ldd "$program" | grep -o '/[^ ]*'); do
        cp -L --parents "$file" "$dir/root" || exit 1
    done
done
export DEBIAN13_ROOT_UNSHARED=1
failed=0
check() { # check WHAT COMMAND...
    what=$1
    shift
    if ! "$@"; then
        echo "FAIL: $what"
        failed=1
    fi
}
left() { # whether a mount or a process is left in the root
    grep -q " $dir/root/" /proc/self/mounts && return 0
    for pid in /proc/[0-9]*; do
        [ "$pid/root" -ef "$dir/root" ] && return 0
    done
    return 1
}

"$script" --dir "$dir" sh -c 'test -r /proc/self/stat && test -d /sys/kernel && test -c /dev/null &&
    test -d /dev/pts && test -d /dev/shm && exit 7'
check "the command's status, with /proc, /sys and /dev inside" test $? -eq 7
left && check "nothing left after a run that ended by itself" false

"$script" --dir "$dir" sh -c 'sleep 300 & exit 0'
left && check "nothing left after a run that left a process behind" false

"$script" --dir "$dir" sleep 300 &
run=$!
while ! grep -q " $dir/root/dev/shm " /proc/self/mounts && kill -0 $run 2>/dev/null; do sleep 0.1; done
kill -TERM $run
wait $run
check "a stopped run says so" test $? -eq 143
left && check "nothing left after a stopped run" false
exit $failed

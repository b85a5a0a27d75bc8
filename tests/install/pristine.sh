#!/usr/bin/env bash
# Installs each Debian package as a user would, `apt-get install ./FILE.deb`,
# into a pristine root of the release its version names (~deb12u1: Debian 12,
# ~deb13u1: Debian 13), never the machine that built it. There the program
# must answer --version, and --list on a settings file put in a user's home;
# the package's Recommends (qt6-wayland) must have come along. Purging it
# with --autoremove afterwards leaves the root as it was for the next run,
# but for what apt will not remove.
# A package for another architecture is not run: apt must resolve its
# dependencies in that architecture's package list of its release, from an
# empty system (`apt-get install -s`).
# The roots are made with `debootstrap --variant=minbase` into
# build/pristine/CODENAME and reused while present (`rm -rf` one to start it
# afresh). Needs root (debootstrap, chroot, mount).
# Usage: tests/install/pristine.sh PACKAGE.deb...
set -euo pipefail

name=zorudoza-zudizir-ivozudiro
roots=${PRISTINE_ROOTS:-build/pristine}
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
[ $# -gt 0 ] || { echo "usage: $0 PACKAGE.deb..." >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "$0: needs root (debootstrap, chroot, mount); try sudo $0" >&2; exit 1; }
# The mounts are private to this run and go with it, however it ends.
if [ -z "${PRISTINE_UNSHARED:-}" ]; then
    export PRISTINE_UNSHARED=1
    exec unshare --mount --propagation private -- "$0" "$@"
fi

fail() { echo "FAILED: $*" >&2; exit 1; }
took() { echo "  ($(($(date +%s) - $1)) s)"; }

enter() { # enter CODENAME: makes or reuses its root, mounted, in $root
    local dir=$roots/$1 start
    mkdir -p "$dir"
    root=$(cd "$dir" && pwd -P)/root
    if [ ! -f "$dir/made" ]; then
        start=$(date +%s)
        echo "debootstrap --variant=minbase $1 into $root"
        rm -rf "$root"
        debootstrap --variant=minbase "$1" "$root" "$mirror" >"$dir/debootstrap.log" 2>&1 ||
            fail "debootstrap $1: see $dir/debootstrap.log"
        # What a user's system has: the point release's updates and security.
        printf 'deb %s %s main\ndeb %s %s-updates main\ndeb %s %s-security main\n' \
            "$mirror" "$1" "$mirror" "$1" "${mirror%/debian}/debian-security" "$1" >"$root/etc/apt/sources.list"
        printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d" # no services started in a chroot
        chmod 755 "$root/usr/sbin/policy-rc.d"
        # A root for tests, thrown away after a crash: no fsync for each file.
        echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/unsafe-io"
        chroot "$root" useradd --create-home --shell /bin/sh user
        touch "$dir/made"
        took "$start"
    fi
    mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
    mountpoint -q "$root/dev" || mount --bind /dev "$root/dev"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
}
in_root() {
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}
as_user() {
    chroot --userspec=user:user "$root" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/home/user LANG=C.UTF-8 "$@"
}
apt=(apt-get -q -o DPkg::Lock::Timeout=600)

# One preset on receiver 1, the rest of the settings as the program makes them.
settings='[IP]
Address1=192.168.1.10
Port=9900

[MaxReceivers]
Receivers=4

[RX1]
Frequency=10491.500
SymbolRate=1500
Offset=9750.000
Antenna=TOP
Voltage=X-HORIZ
'
listed='RX  Frequency  Symbol Rate  Loc Osc   Antenna  Voltage  Destination
1   10491.500  1500         9750.000  TOP      X-HORIZ  192.168.1.10:9921
2                                                       192.168.1.10:9922
3                                                       192.168.1.10:9923
4                                                       192.168.1.10:9924'

for deb in "$@"; do
    [ -f "$deb" ] || fail "no package $deb"
    version=$(dpkg-deb -f "$deb" Version)
    arch=$(dpkg-deb -f "$deb" Architecture)
    case "$version" in
    *~deb12u*) codename=bookworm ;;
    *~deb13u*) codename=trixie ;;
    *) fail "$deb: version $version names no Debian release (~deb12u1, ~deb13u1)" ;;
    esac
    file=$(basename "$deb")
    printf '\n== %s (%s bytes) in a pristine Debian %s root\n' "$file" "$(stat -c %s "$deb")" "$codename"
    enter "$codename"
    cp "$deb" "$root/tmp/$file"

    if [ "$arch" != "$(chroot "$root" dpkg --print-architecture)" ]; then
        # A status file of its own, empty: every dependency must come from the list.
        foreign=(-o "APT::Architecture=$arch" -o "APT::Architectures=$arch"
                 -o "Dir::State::Lists=/var/lib/apt/lists-$arch" -o "Dir::State::status=/var/lib/apt/status-$arch"
                 -o "Dir::Cache=/var/cache/apt-$arch")
        mkdir -p "$root/var/lib/apt/lists-$arch/partial" "$root/var/cache/apt-$arch/archives/partial"
        : >"$root/var/lib/apt/status-$arch"
        start=$(date +%s)
        in_root "${apt[@]}" "${foreign[@]}" update -qq
        in_root "${apt[@]}" "${foreign[@]}" install -s "/tmp/$file" >"$root/tmp/resolved" ||
            fail "apt cannot resolve $file's dependencies in Debian $codename $arch:
$(cat "$root/tmp/resolved")"
        grep -q "^Inst $name " "$root/tmp/resolved" || fail "apt would not install $name: $(cat "$root/tmp/resolved")"
        echo "apt-get install -s in Debian $codename's $arch list: $(grep -c '^Inst ' "$root/tmp/resolved") packages, $name among them"
        grep -o '^Inst libqt6[a-z]*6[a-z0-9]* ' "$root/tmp/resolved" | sed 's/^Inst /  /'
        took "$start"
        continue
    fi

    in_root dpkg-query -W -f='${Package}\n' | sort >"$root/tmp/before"
    start=$(date +%s)
    in_root "${apt[@]}" update -qq
    in_root "${apt[@]}" install -y "/tmp/$file" >"$root/tmp/install.log" 2>&1 ||
        fail "apt-get install ./$file: $(cat "$root/tmp/install.log")"
    grep -E '^(Need to get|After this operation)' "$root/tmp/install.log" || true
    echo "apt-get install ./$file: installed $(in_root dpkg-query -W -f='${Version}' "$name")"
    took "$start"
    in_root dpkg-query -W -f='${Status}' qt6-wayland 2>/dev/null | grep -q 'install ok installed' ||
        fail "apt did not bring qt6-wayland, which the package recommends"
    echo "qt6-wayland came along (Recommends)"

    out=$(as_user "$name" --version) || fail "--version ended with $?"
    [ "$out" = "$name ${version%%-*}" ] || fail "--version said '$out'"
    echo "--version: $out"
    mkdir -p "$root/home/user/.config/ZorudozaZudizirIvozudiro"
    printf '%s' "$settings" >"$root/home/user/.config/ZorudozaZudizirIvozudiro/ZorudozaZudizirIvozudiro.conf"
    chroot "$root" chown -R user:user /home/user/.config
    out=$(as_user "$name" --list) || fail "--list ended with $?"
    [ "$out" = "$listed" ] || fail "--list printed
$out
not
$listed"
    echo "--list: the preset on receiver 1, as stored:"
    sed 's/^/  /' <<<"$out"
    rm -rf "$root/home/user/.config"

    # Also what apt keeps only because a base package recommends it, so that
    # the next run starts from the root as it was.
    in_root "${apt[@]}" purge -y -qq --autoremove -o APT::AutoRemove::RecommendsImportant=false \
        -o APT::AutoRemove::SuggestsImportant=false "$name" >/dev/null 2>&1 || fail "apt-get purge --autoremove $name"
    in_root dpkg-query -W -f='${Package}\n' | sort >"$root/tmp/after"
    if diff "$root/tmp/before" "$root/tmp/after" >/dev/null; then
        echo "apt-get purge --autoremove: the root has the packages it had before"
    else
        # systemd-sysv is protected, and with it what it needs.
        echo "apt-get purge --autoremove: all it brought is gone but $(comm -13 "$root/tmp/before" "$root/tmp/after" | tr '\n' ' ')"
    fi
done
echo PASSED

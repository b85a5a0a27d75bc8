#!/usr/bin/env bash
# Tries the Debian package as a new user would: installs it with dpkg, checks
# the installed files with the validators, starts the program the way the
# menu entry does under a private Xvfb and looks for its window, removes the
# package again and checks that nothing of it is left but the user's settings.
# Needs root (dpkg); refuses to run when the package is already installed, so
# that it never removes an installation of someone else's.
# Usage: scripts/try-package.sh [PACKAGE.deb]   (default: what `make package` built)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
name=zorudoza-zudizir-ivozudiro
deb=${1:-$(ls "$root"/build/package/${name}_*.deb 2>/dev/null | tail -n 1)}
[ -f "$deb" ] || { echo "no package: run \`make package\` first" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "dpkg needs root: sudo $0 $*" >&2; exit 1; }
if dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q installed; then
    echo "$name is installed already; remove it first to try the package afresh" >&2
    exit 1
fi

step() { printf '\n== %s\n' "$*"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

work=$(mktemp -d)
installed=no
cleanup() {
    set +e # clean up all of it, whatever fails on the way
    [ -n "${program:-}" ] && kill "$program" 2>/dev/null && wait "$program" 2>/dev/null
    stop_xvfb
    # Never leave the package behind, whatever failed.
    [ "$installed" = yes ] && dpkg --purge "$name" >/dev/null
    rm -rf "$work"
}
source "$root/bench/xvfb.sh"
trap cleanup EXIT

step "the package: $(basename "$deb")"
dpkg-deb -f "$deb" Package Version Architecture Depends

# What the package would put in place and did not exist before it, so that
# afterwards we know what must be gone again.
dpkg-deb -c "$deb" | awk '{ print substr($6, 2) }' | sed 's|/$||' | grep . >"$work/paths"
while read -r path; do [ -e "$path" ] || echo "$path"; done <"$work/paths" >"$work/new"

step "dpkg -i"
dpkg -i "$deb"
installed=yes
dpkg -L "$name" | sort >"$work/listed"

step "installed files"
entry=/usr/share/applications/$name.desktop
metainfo=$(ls /usr/share/metainfo/*.metainfo.xml | xargs grep -l "<binary>$name</binary>")
for file in /usr/bin/$name "$entry" /usr/share/icons/hicolor/scalable/apps/$name.svg "$metainfo" \
            "$(man -w "$name")" /usr/share/doc/$name/copyright /usr/share/doc/$name/changelog.Debian.gz; do
    [ -e "$file" ] || fail "missing $file"
    printf '%-80s %s\n' "$file" "$(file -b "$file" | cut -c1-40)"
done
echo "command -v $name: $(command -v "$name")"
desktop-file-validate "$entry" || fail "desktop-file-validate refuses $entry"
echo "desktop-file-validate $entry: passed"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refuses $metainfo"
echo "man: $(MANWIDTH=200 man "$name" 2>/dev/null | col -b | grep -A1 '^NAME' | tail -n 1 | sed 's/^ *//')"

step "start it as the menu entry does, as a user with no settings yet"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
start_xvfb
trap cleanup EXIT # start_xvfb sets a trap of its own
user_home=$work/home
mkdir -p "$user_home" "$work/runtime"
chmod 700 "$work/runtime"
(cd "$user_home" && exec env -i PATH=/usr/bin:/bin HOME="$user_home" DISPLAY="$DISPLAY" \
    XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 $exec_line >"$work/program.log" 2>&1) &
program=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zorudoza Zudizir Ivozudiro - ' | head -n 1) \
    || fail "no window within 20 s; the program said: $(cat "$work/program.log")"
echo "Exec=$exec_line: window 0x$(printf '%x' "$window") \"$(xdotool getwindowname "$window")\""
geometry=$(xwininfo -id "$window")
grep -E 'Width|Height|Map State' <<<"$geometry"
# The refusal of a second copy bears the same title but is far smaller.
width=$(sed -n 's/^ *Width: //p' <<<"$geometry")
[ "$width" -ge 800 ] || fail "the window is $width pixels wide: not the main window"
xprop -id "$window" WM_CLASS
shot=$root/build/package/try-package-window.png
if command -v import >/dev/null && import -window "$window" "$shot"; then
    echo "screenshot: $shot"
fi
# Ctrl+R, the first thing that stores a value: eight receivers, on disk.
xdotool windowfocus --sync "$window" key ctrl+r
settings=$user_home/.config/ZorudozaZudizirIvozudiro/ZorudozaZudizirIvozudiro.conf
for _ in $(seq 50); do [ -s "$settings" ] && break; sleep 0.1; done
[ -s "$settings" ] || fail "Ctrl+R stored nothing in $settings"
echo "Ctrl+R: window height now $(xwininfo -id "$window" | sed -n 's/^ *Height: //p'), stored in ~${settings#$user_home}:"
sed 's/^/    /' "$settings"

step "the command line, with no display, while the window is open on the same settings"
as_user() {
    (cd "$user_home" && env -i PATH=/usr/bin:/bin HOME="$user_home" LANG=C.UTF-8 "$@")
}
as_user zorudoza-zudizir-ivozudiro --version || fail "--version failed"
as_user zorudoza-zudizir-ivozudiro --list || fail "--list failed"
status=0
as_user zorudoza-zudizir-ivozudiro --send 1 || status=$?
[ "$status" -eq 1 ] || fail "--send 1 on an empty row ended with $status, not 1"
echo "--send 1 on an empty row: exit 1, nothing sent"
kill "$program"
wait "$program" 2>/dev/null || true
program=

step "dpkg --purge"
dpkg --purge "$name"
installed=no

step "left behind"
dpkg-query -W -f='${Status}\n' "$name" 2>/dev/null | grep -q 'installed' && fail "dpkg still lists $name"
left=0
while read -r path; do
    if [ -e "$path" ]; then echo "left: $path"; left=1; fi
done <"$work/new"
[ "$left" -eq 0 ] || fail "the package left files behind"
echo "nothing: none of the $(wc -l <"$work/new") paths the package brought is left"
[ -s "$settings" ] || fail "the user's settings went with the package"
echo "the user's settings stay: ~${settings#$user_home}"
echo "($(wc -l <"$work/listed") paths were listed by dpkg -L while installed; those that existed before stay)"
echo "PASSED"

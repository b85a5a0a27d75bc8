#!/usr/bin/env bash
# The window of a cross-built program, run under its emulator on a private
# Xvfb, for docs/: on a 1920 x 1080 screen and on the 800 x 480 touch
# display, on a store with sample presets, row 2 selected from the keyboard.
# Usage: scripts/screenshots-cross.sh "EMULATOR -L / PROGRAM" NAME
#   writes docs/window-NAME.png and docs/window-NAME-800x480.png
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
command=$1
name=$2
work=$(mktemp -d)
program=
source "$root/bench/xvfb.sh"
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null && wait "$program" 2>/dev/null
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/config/ZorudozaZudizirIvozudiro" "$work/runtime"
chmod 700 "$work/runtime"
cat >"$work/config/ZorudozaZudizirIvozudiro/ZorudozaZudizirIvozudiro.conf" <<'STORE'
[IP]
Address0=127.0.0.1
Port=9900

[MaxReceivers]
Receivers=4

[RX0]
Frequency=10491.500
SymbolRate=1500
Offset=9750.000
Antenna=TOP
Voltage=X-HORIZ

[RX1]
Frequency=10491.500
SymbolRate=1500
Offset=9750.000
Antenna=TOP
Voltage=X-HORIZ

[RX2]
Frequency=10368.250
SymbolRate=333
Offset=0.000
Antenna=BOT
Voltage=" "
STORE

caption="Zorudoza Zudizir Ivozudiro - 3d20u"
shoot() { # screen size, output file
    start_xvfb "$1"
    trap cleanup EXIT
    XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb $command &
    program=$!
    window=
    for _ in $(seq 200); do
        window=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "no window on the $1 screen" >&2; exit 1; }
    xdotool windowfocus --sync "$window" key --delay 50 Prior Down space
    sleep 1
    import -window "$window" "$2"
    echo "$2: $(xdotool getwindowgeometry "$window" | grep Geometry)"
    kill "$program"; wait "$program" 2>/dev/null || true; program=
    stop_xvfb
}
mkdir -p "$root/docs"
shoot 1920x1080 "$root/docs/window-$name.png"
shoot 800x480 "$root/docs/window-$name-800x480.png"

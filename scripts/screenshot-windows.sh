#!/usr/bin/env bash
# Takes docs/window-8-receivers-wine.png: the Windows build's window under
# Wine, in a fresh prefix on a private Xvfb, on the sample presets of the
# Linux screenshots with row 1 selected, to set beside
# docs/window-8-receivers.png.
# Usage: scripts/screenshot-windows.sh [BUILD_DIR]   (default build/bench; after `make windows`)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/bench}
helper=$build/bench/zzi-bench
[ -x "$helper" ] || { echo "missing $helper: build the \"bench\" preset first" >&2; exit 1; }
zip=$(ls "$root"/build/windows/zorudoza-zudizir-ivozudiro-*-windows-x64.zip 2>/dev/null | head -1)
[ -n "$zip" ] || { echo "no Windows zip in build/windows: run make windows first" >&2; exit 1; }

source "$root/bench/xvfb.sh"
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null; stop_xvfb; rm -rf "$work"' EXIT
start_xvfb

wineboot -i >/dev/null 2>&1
# A fresh prefix has no Arial; Liberation Sans has its metrics.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1
wineserver -w
unzip -q "$zip" -d "$work"
"$helper" presets "$work/config" 8
XDG_CONFIG_HOME=$work/config "$root/tests/windows/wine-program.sh" "$work"/zorudoza-zudizir-ivozudiro-*/zorudoza-zudizir-ivozudiro.exe &
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Zorudoza Zudizir Ivozudiro - 3d20u$' | head -1)
# Row 1's first cell (the grid at 40, 380; rows 22 pixels tall), then the pointer out of the way.
xdotool mousemove --window "$window" 100 413 click 1 sleep 1 mousemove 1900 1400 sleep 1
import -window "$window" "$root/docs/window-8-receivers-wine.png"
file "$root/docs/window-8-receivers-wine.png"

#!/usr/bin/env bash
# Takes the screenshots in docs/: the real main window under a private Xvfb,
# on a store with sample presets, with four and with eight receivers, and
# with four right after a send (the flash over, the caption as before), and
# with eight after a send, after a refused entry and with the focus on a box.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default build/bench)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/bench}
helper=$build/bench/zzi-bench
[ -x "$helper" ] || { echo "missing $helper: build the \"bench\" preset first" >&2; exit 1; }

source "$root/bench/xvfb.sh"
runtime=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$runtime"' EXIT
start_xvfb
trap 'stop_xvfb; rm -rf "$runtime"' EXIT

export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$runtime
unset QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
mkdir -p "$root/docs"
for receivers in 4 8; do
    "$helper" screenshot "$receivers" "$root/docs/window-$receivers-receivers.png"
done
"$helper" screenshot 4 "$root/docs/window-after-send.png" sent
# The Channels window (Ctrl+L) over the main window, filtered by "qo".
"$helper" screenshot 4 "$root/docs/channels-window.png" channels
# At eight receivers: the status line after a send and after a refused entry,
# and the focus ring on a drop-down box.
for state in sent refused focus; do
    "$helper" screenshot 8 "$root/docs/window-8-$state.png" "$state"
done

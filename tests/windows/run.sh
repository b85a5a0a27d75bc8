#!/usr/bin/env bash
# `make test-windows`: the Windows build under Wine, in a fresh prefix, on a
# private Xvfb. The same tests as on Linux: the widget-free Qt Test
# executables built for Windows, and the Linux build's black-box and
# command-line tests driving the Windows executables (one table of rows
# for both builds); then the installer, silently into a fresh prefix.
# usage: tests/windows/run.sh   (after `make windows` and `make build`)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
win=$root/build/windows
linux=$root/build/default
version=$(sed -n 's/^project([^ ]* VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=zorudoza-zudizir-ivozudiro
caption="Zorudoza Zudizir Ivozudiro - 3d20u"
started=$(date +%s)
work=$(mktemp -d)
passed=0
failed=()

# No Mono, no Gecko, and no menu entries or file types on the Linux side.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
unset QT_QPA_PLATFORMTHEME

xvfb_pid=
cleanup()
{
    for prefix in "$win/wine-test" "$win/wine-install"; do
        WINEPREFIX=$prefix wineserver -k 2>/dev/null
    done
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

check()  # check NAME COMMAND...: runs one step, its output kept for a failure
{
    local what=$1
    shift
    if "$@" >"$work/out" 2>&1; then
        passed=$((passed + 1))
        printf 'PASS  %s\n' "$what"
        grep -hE '^Totals:|tests passed' "$work/out" | sed 's/^/      /'
    else
        failed+=("$what")
        printf 'FAIL  %s\n' "$what"
        sed 's/^/      /' "$work/out" | grep -v '^      PASS ' | tail -40
    fi
}

fresh_prefix()  # fresh_prefix DIR: a new Wine prefix, with Arial drawn as Liberation Sans
{
    export WINEPREFIX=$1
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 &&
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1 &&
        wineserver -w
}

appdata() { echo "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming"; }
localappdata() { echo "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local"; }

# Wine's own windows (the tests' message boxes, the installer) need a display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")

echo "Wine $(wine --version 2>/dev/null), display $DISPLAY"
check "fresh Wine prefix" fresh_prefix "$win/wine-test"

# 1. The tests that need no window, built for Windows.
check "widget-free tests (Windows build)" ctest --test-dir "$win" --output-on-failure --timeout 120

# 2. The window and the command line, driven by the Linux tests.
# Run from the portable zip as it ships: what is missing from it fails here.
check "portable zip unpacks" unzip -q "$win/$name-$version-windows-x64.zip" -d "$work"
portable=$work/$name-$version-windows-x64
for exe in "$name" "$name-cli"; do
    printf '#!/bin/sh\nexec "%s" "%s" "$@"\n' "$root/tests/windows/wine-program.sh" "$portable/$exe.exe" \
        >"$work/$exe"
    chmod +x "$work/$exe"
done
check "window: caption, 900 x 535, keyboard send, Ctrl+R, second copy refused" \
    env ZZI_TEST_PROGRAM="$work/$name" ZZI_TEST_PROGRAM_SYSTEM=windows QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$linux/tests/test_blackbox"
check "console program: --list, --send N, exit statuses, same bytes as the window" \
    env ZZI_TEST_PROGRAM="$work/$name-cli" ZZI_TEST_PROGRAM_SYSTEM=windows QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$linux/tests/test_cli"
WINEPREFIX=$win/wine-test wineserver -k 2>/dev/null

# 3. The installer, silently, into a fresh prefix.
setup=$win/$name-$version-windows-x64-setup.exe
installed() { echo "$(localappdata)/Programs/Zorudoza Zudizir Ivozudiro"; }
menu() { echo "$(appdata)/Microsoft/Windows/Start Menu/Programs/Zorudoza Zudizir Ivozudiro"; }
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZorudozaZudizirIvozudiro'
check "fresh Wine prefix for the installer" fresh_prefix "$win/wine-install"
install_silently()
{
    wine "$setup" /S && wineserver -w &&
        [ -f "$(installed)/$name.exe" ] && [ -f "$(menu)/Zorudoza Zudizir Ivozudiro.lnk" ] &&
        wine reg query "$uninstall_key" /v UninstallString
}
check "installer /S: files, Start-menu entry, Apps & features entry" install_silently
installed_cli_version()
{
    local out
    out=$(wine "$(installed)/$name-cli.exe" --version) && echo "$out" && [[ "$out" == *" $version"* ]]
}
check "installed console program answers --version" installed_cli_version
installed_window_opens()
{
    local store id program
    store="$(appdata)/ZorudozaZudizirIvozudiro/ZorudozaZudizirIvozudiro.conf"
    wine "$(installed)/$name.exe" &
    program=$!
    id=$(timeout 30 xdotool search --sync --onlyvisible --name "^$caption\$" | head -1) &&
        xdotool getwindowgeometry "$id" && xdotool getwindowgeometry "$id" | grep -q 'Geometry: 900x535' &&
        xdotool windowfocus --sync "$id" key ctrl+r &&
        for _ in $(seq 50); do grep -q 'Receivers=8' "$store" 2>/dev/null && break; sleep 0.2; done &&
        grep -q 'Receivers=8' "$store"
    local ok=$?
    wineserver -k
    wait "$program"
    return $ok
}
check "installed window opens, Ctrl+R stores the count under %APPDATA%" installed_window_opens
uninstall()
{
    wine "$(installed)/Uninstall.exe" /S && wineserver -w
    for _ in $(seq 100); do [ ! -e "$(installed)" ] && break; sleep 0.2; done
    [ ! -e "$(installed)" ] && [ ! -e "$(menu)" ] && ! wine reg query "$uninstall_key" >/dev/null 2>&1 &&
        grep -q 'Receivers=8' "$(appdata)/ZorudozaZudizirIvozudiro/ZorudozaZudizirIvozudiro.conf"
}
check "uninstaller removes what was installed, leaves the settings" uninstall

echo
echo "test-windows: ${passed} passed, ${#failed[@]} failed, in $(( $(date +%s) - started )) s"
for what in "${failed[@]}"; do echo "  failed: $what"; done
[ ${#failed[@]} -eq 0 ]

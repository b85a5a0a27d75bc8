#!/bin/sh
# Starts the Windows build of the program under Wine the way the tests start
# the Linux one: the store folder they make under XDG_CONFIG_HOME is the one
# the program finds under %APPDATA% in the Wine prefix.
# usage: wine-program.sh PROGRAM.exe [ARGUMENT...]
program=$1
shift
store="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/ZorudozaZudizirIvozudiro"
rm -rf "$store"
if [ -n "${XDG_CONFIG_HOME:-}" ] && [ -d "$XDG_CONFIG_HOME/ZorudozaZudizirIvozudiro" ]; then
    mkdir -p "$(dirname "$store")"
    ln -s "$XDG_CONFIG_HOME/ZorudozaZudizirIvozudiro" "$store"
fi
exec wine "$program" "$@"

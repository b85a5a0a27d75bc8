#!/usr/bin/env bash
# Prints the Qt for Windows that `make windows` builds with: QT_WINDOWS_PREFIX
# when set, else the one unpacked in build/, else the prebuilt archive from
# ../shared/qt-windows/ unpacked there once. Stops with one line when there
# is none.
set -euo pipefail
cd "$(dirname "$0")/.."
name=qt-6.4.2-mingw-w64-x86_64
if [ -n "${QT_WINDOWS_PREFIX:-}" ]; then
    if [ ! -f "$QT_WINDOWS_PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
        echo "QT_WINDOWS_PREFIX=$QT_WINDOWS_PREFIX holds no Qt for Windows (lib/cmake/Qt6/qt.toolchain.cmake)" >&2
        exit 1
    fi
    echo "$QT_WINDOWS_PREFIX"
    exit 0
fi
if [ ! -f "build/$name/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    archive=../shared/qt-windows/$name.tar.xz
    if [ ! -f "$archive" ]; then
        echo "No Qt for Windows: set QT_WINDOWS_PREFIX, put $name.tar.xz in ../shared/qt-windows/, or run scripts/build-qt-windows.sh (about 40 minutes)" >&2
        exit 1
    fi
    mkdir -p build
    rm -rf "build/$name"
    tar -C build -xJf "$archive"
fi
echo "$PWD/build/$name"

#!/usr/bin/env bash
# Builds Qt 6.4.2 for 64-bit Windows (MinGW-w64, shared DLLs) from Debian 12's own qt6-base source package,
# with Debian's MinGW-w64 compiler and Debian's Qt 6.4.2 host tools, and unpacks it into
# build/qt-6.4.2-mingw-w64-x86_64 (where `make windows` looks), the archive kept beside it.
# About 40-60 minutes on 2 cores. Never run by CI or by `make windows`.
# usage: build-qt-windows.sh [WORKDIR]     (needs root for apt-get; run on Debian 12 amd64)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)/build
mkdir -p "$here"
work=${1:-/tmp/qt-windows-build}
mkdir -p "$work" && cd "$work"

# deb-src for the source package, then the compilers and the native 6.4.2 host tools
if ! apt-cache showsrc qt6-base >/dev/null 2>&1 || [ -z "$(apt-cache showsrc qt6-base 2>/dev/null)" ]; then
  uri=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uri" > /etc/apt/sources.list.d/qt-src.sources
  apt-get update
fi
apt-get install -y g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools cmake ninja-build dpkg-dev xz-utils
[ -f qt6-base_6.4.2+dfsg.orig.tar.xz ] || apt-get source --download-only qt6-base=6.4.2+dfsg-10
rm -rf qtbase-everywhere-src-6.4.2 && tar xf qt6-base_6.4.2+dfsg.orig.tar.xz
# 6.4.2's Windows platform plugin refers to its OpenGL loader even when OpenGL is configured out
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
  qtbase-everywhere-src-6.4.2/src/plugins/platforms/windows/qwindowswindow.cpp

cat > mingw.cmake <<'TC'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC

# Debian's source leaves out the tablet (wintab) headers, so tablet events are off; no TLS, OpenGL, SQL or D-Bus.
prefix="$work/qt-6.4.2-mingw-w64-x86_64"
rm -rf build "$prefix"
cmake -S qtbase-everywhere-src-6.4.2 -B build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$work/mingw.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_opengl=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF \
  -DFEATURE_ssl=OFF -DFEATURE_openssl=OFF -DFEATURE_schannel=OFF -DFEATURE_icu=OFF -DFEATURE_jpeg=OFF \
  -DFEATURE_freetype=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF
cmake --build build --parallel "$(nproc)"
cmake --install build
rm -rf "$prefix/doc"
# self-contained and relocatable: the Qt toolchain file chainloads a MinGW toolchain file kept beside it
cp mingw.cmake "$prefix/lib/cmake/Qt6/mingw-w64-x86_64-toolchain.cmake"
sed -i "s|^set(__qt_initially_configured_toolchain_file \".*\")|set(__qt_initially_configured_toolchain_file \"\${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-toolchain.cmake\")|" \
  "$prefix/lib/cmake/Qt6/qt.toolchain.cmake"
# the MinGW runtime that every executable built against this Qt needs beside it
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  cp "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)" "$prefix/bin/"
done
x86_64-w64-mingw32-strip --strip-unneeded "$prefix"/bin/*.dll "$prefix"/plugins/*/*.dll
tar -C "$work" -cJf "$here/qt-6.4.2-mingw-w64-x86_64.tar.xz" "$(basename "$prefix")"
rm -rf "$here/$(basename "$prefix")" && tar -C "$here" -xJf "$here/qt-6.4.2-mingw-w64-x86_64.tar.xz"
ls -l "$here/qt-6.4.2-mingw-w64-x86_64.tar.xz"

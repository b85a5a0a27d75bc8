#!/usr/bin/env bash
# Installs the Debian packages the build, the program and its tests need,
# only those that are missing; uses sudo when not run as root. It names only
# packages every supported release has (Debian 12 and 13); versioned ones are
# chosen by what apt offers on the running release.
# `--fuzz` adds clang and its libFuzzer runtime, for `make fuzz`.
# `--package` adds the tools that build and check the Debian package;
# `--arm64` and `--armhf` add a cross compiler for that architecture, its Qt
# beside the native one (Debian multiarch) and QEMU to run what it builds.
# `--windows` adds the cross-compiler, Wine and the Windows packaging tools.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    fonts-liberation2           # "Arial" resolves to a metric-compatible face
    xvfb xdotool x11-utils      # tests that need a real X server
    openbox x11-xkb-utils       # the small-screen tests' window manager; setxkbmap
    dbus-daemon at-spi2-core python3-pyatspi # the table read through AT-SPI
    jq                          # --json output read as scripts read it
    libxcb1-dev                 # the benchmark waits until the X server shows a frame
    e2fsprogs                   # chattr, for the unwritable-store tests
    strace                      # the order of the store's fsync and rename, seen by a test
    file                        # CPack's dependencies from the executable, in the package test
)
packages+=(libxcb-cursor0) # without it, the xcb plugin of Qt 6.5 and later does not load
# The Wayland test (a headless sway, the program natively and through its
# XWayland), where the release packages the virtual keyboard's protocol: it
# comes with the Rust wayland-protocols-misc crate.
if apt-cache show librust-wayland-protocols-misc-dev >/dev/null 2>&1; then
    packages+=(sway xwayland qt6-wayland libwayland-dev libxkbcommon-dev librust-wayland-protocols-misc-dev)
fi
foreign=()
fuzz=""
for option in "$@"; do
    case "$option" in
    --fuzz)
        fuzz=yes
        packages+=(clang)
        ;;
    --package)
        packages+=(
            dpkg-dev            # dpkg-shlibdeps, dpkg-buildflags, dpkg-deb
            lintian appstream desktop-file-utils file
            imagemagick         # import: try-package.sh's screenshot of the window
        )
        ;;
    --windows)
        packages+=(
            g++-mingw-w64-x86-64-posix  # the 64-bit Windows compiler, POSIX threads, as Qt was built
            wine64 wine                 # runs the Windows executables and tests
            nsis                        # makensis, for CPack's installer
            zip                         # CPack's portable zip
            fonts-liberation            # "Arial" mapped to Liberation Sans in the test prefix
            icoutils librsvg2-bin       # the icon: the SVG drawn at each size, packed into an .ico
        )
        ;;
    --arm64 | --armhf)
        arch=${option#--}
        foreign+=("$arch")
        packages+=(crossbuild-essential-"$arch" qt6-base-dev:"$arch" qemu-user-static)
        ;;
    *)
        echo "usage: $0 [--fuzz] [--package] [--windows] [--arm64] [--armhf]" >&2
        exit 2
        ;;
    esac
done

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}
# libFuzzer ships in the runtime of the clang release that `clang` stands
# for: clang-14 on Debian 12, clang-19 on Debian 13.
clang_runtime() {
    local depends
    if installed clang; then
        depends=$(dpkg-query -W -f='${Depends}' clang)
    else
        depends=$(apt-cache show clang 2>/dev/null | sed -n 's/^Depends: //p' | head -n 1)
    fi
    sed -n 's/^\(.*[ ,]\)\{0,1\}clang-\([0-9][0-9]*\)\([ ,].*\)\{0,1\}$/libclang-rt-\2-dev/p' <<<"$depends"
}
missing_of() {
    local package
    for package in "$@"; do
        installed "$package" || echo "$package"
    done
}

if [ -n "$fuzz" ] && runtime=$(clang_runtime) && [ -n "$runtime" ]; then
    packages+=("$runtime")
    fuzz=""
fi
mapfile -t missing < <(missing_of "${packages[@]}")
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
for arch in "${foreign[@]}"; do
    dpkg --print-foreign-architectures | grep -qx "$arch" || $sudo dpkg --add-architecture "$arch"
done
apt=(apt-get -o DPkg::Lock::Timeout=1800)
$sudo "${apt[@]}" update -qq
# On a system whose package lists were empty, clang's runtime is known only now.
if [ -n "$fuzz" ]; then
    runtime=$(clang_runtime)
    if [ -z "$runtime" ]; then
        echo "No clang in this release's packages: make fuzz needs clang and libFuzzer" >&2
        exit 1
    fi
    missing+=("$runtime")
fi
echo "Installing: ${missing[*]}"
# Another architecture's -dev packages must not push out the native ones.
removed=$("${apt[@]}" install -s --no-install-recommends "${missing[@]}" | sed -n 's/^Remv //p')
if [ -n "$removed" ]; then
    echo "Not installing: apt would remove $removed" >&2
    exit 1
fi
$sudo "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"

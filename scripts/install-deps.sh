#!/usr/bin/env bash
# Installs the Debian packages the build, the program and its tests need,
# only those that are missing; uses sudo when not run as root.
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
    clang libclang-rt-14-dev    # fuzzing and sanitizer builds
)
foreign=()
for option in "$@"; do
    case "$option" in
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
        echo "usage: $0 [--package] [--windows] [--arm64] [--armhf]" >&2
        exit 2
        ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
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
# Another architecture's -dev packages must not push out the native ones.
removed=$("${apt[@]}" install -s --no-install-recommends "${missing[@]}" | sed -n 's/^Remv //p')
if [ -n "$removed" ]; then
    echo "Not installing: apt would remove $removed" >&2
    exit 1
fi
$sudo "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"

# Read by cpack when it packs a cross-built tree: dpkg-shlibdeps finds the
# libraries, and the packages that hold them, of the package's architecture
# rather than of this machine.
set(ENV{DEB_HOST_ARCH} "${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}")

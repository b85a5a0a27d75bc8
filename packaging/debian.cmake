# The Debian package, built by CPack from what `cmake --install` puts (see
# packaging/CMakeLists.txt): `make package` runs it on a Release tree and
# writes zorudoza-zudizir-ivozudiro_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorudoza-zudizir-ivozudiro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZZI_DEB_REVISION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "${ZZI_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZZI_HOMEPAGE}")
# The package's dependencies are what the executable links, as dpkg-shlibdeps
# finds them, so they follow the Qt and C++ libraries it was built against.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland plugin, so that the window is a native client on a Wayland
# desktop rather than going through XWayland; not needed to run.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tune remote satellite-TV receivers over UDP")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A single-window program that tunes the receivers the Quenvale receiver
program runs on one or two hosts on the local network, four receivers a
host. It keeps one preset per receiver in a table and sends the selected
receiver its frequency, symbol rate, LO frequency, antenna input and voltage
generator setting as one line of text in one UDP datagram. A right press on
the send button sends the QO-100 uplink frequency for a row tuned to the
downlink band.

A command line lists the stored presets and sends one, with no display, for
schedulers and scripts.")
# Debian wants 0755 directories whatever the umask of the one who builds.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# A cross-built tree (cmake/*-toolchain.cmake) is packed for its own
# architecture.
if(ZZI_DEB_ARCH)
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${ZZI_DEB_ARCH})
    set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack-cross.cmake)
endif()
if(ZZI_DEB_ARCH STREQUAL armhf)
    # dpkg's maintainer scripts must be called exactly so.
    configure_file(${CMAKE_CURRENT_LIST_DIR}/preinst-armv7 ${CMAKE_BINARY_DIR}/packaging/control/preinst COPYONLY)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/packaging/control/preinst)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()
include(CPack)

# Cross-building for another Debian architecture on this machine, with
# Debian's cross compilers and the target's libraries installed beside the
# native ones by multiarch (qt6-base-dev:arm64 and the like). Included by the
# per-architecture toolchain files, which set ZZI_DEB_ARCH, ZZI_GNU_TYPE and
# ZZI_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${ZZI_SYSTEM_PROCESSOR})
set(CMAKE_C_COMPILER ${ZZI_GNU_TYPE}-gcc)
set(CMAKE_CXX_COMPILER ${ZZI_GNU_TYPE}-g++)
# The target's libraries and CMake packages are under /usr/lib/<triplet>.
set(CMAKE_LIBRARY_ARCHITECTURE ${ZZI_GNU_TYPE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${ZZI_GNU_TYPE}/pkgconfig:/usr/share/pkgconfig)

# moc, rcc and uic run here, so they come from the native Qt of the same version.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# Tests run under QEMU's user mode; the target's libraries are found through
# the same multiarch folders, so the root folder is the emulator's prefix.
find_program(ZZI_QEMU qemu-${ZZI_QEMU_CPU}-static)
if(ZZI_QEMU)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ZZI_QEMU} -L /)
endif()

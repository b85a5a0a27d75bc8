# 32-bit ARM with hardware floating point: Debian's armhf is ARMv7 (Raspberry
# Pi 2, 3, 4 and 5 with a 32-bit system; not the ARMv6 Pi 1 and Pi Zero).
set(ZZI_DEB_ARCH armhf)
set(ZZI_GNU_TYPE arm-linux-gnueabihf)
set(ZZI_SYSTEM_PROCESSOR armv7l)
set(ZZI_QEMU_CPU arm)
include(${CMAKE_CURRENT_LIST_DIR}/debian-multiarch-toolchain.cmake)

# 64-bit ARM (Raspberry Pi 3, 4 and 5 with a 64-bit system).
set(ZZI_DEB_ARCH arm64)
set(ZZI_GNU_TYPE aarch64-linux-gnu)
set(ZZI_SYSTEM_PROCESSOR aarch64)
set(ZZI_QEMU_CPU aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-multiarch-toolchain.cmake)

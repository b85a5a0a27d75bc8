# The 64-bit Windows cross-build: Qt for Windows from QT_WINDOWS_PREFIX (set by
# `make windows`, which unpacks one when none is given), whose own toolchain
# file brings Debian's MinGW-w64 compilers; moc, rcc and uic are the host's.
if(NOT DEFINED QT_WINDOWS_PREFIX)
    set(QT_WINDOWS_PREFIX "$ENV{QT_WINDOWS_PREFIX}")
endif()
if(NOT QT_WINDOWS_PREFIX)
    set(QT_WINDOWS_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../build/qt-6.4.2-mingw-w64-x86_64")
endif()
if(NOT EXISTS "${QT_WINDOWS_PREFIX}/lib/cmake/Qt6/qt.toolchain.cmake")
    message(FATAL_ERROR "No Qt for Windows at ${QT_WINDOWS_PREFIX}: run `make windows`, or set QT_WINDOWS_PREFIX")
endif()
# Passed on to the compiler checks, which read the toolchain file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QT_WINDOWS_PREFIX)
set(QT_HOST_PATH "/usr" CACHE PATH "Qt's host tools (moc, rcc, uic)")
include("${QT_WINDOWS_PREFIX}/lib/cmake/Qt6/qt.toolchain.cmake")

# ctest runs the Windows test executables under Wine, finding Qt's DLLs.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
set(ZZI_WINEPATH "${QT_WINDOWS_PREFIX}/bin")

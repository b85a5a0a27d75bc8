# Packs BUILD_DIR with its CPack configuration into OUT and checks the .deb:
# its name and version (VERSION-REVISION, the revision naming the release),
# that it holds exactly the files a user of the package gets under
# /usr, and that its dependencies were computed from the executable. ARCH is
# the package's architecture when it was cross-built; its Depends must then
# name packages that Debian has for that architecture.
cmake_minimum_required(VERSION 3.22)
get_filename_component(cmake_bin "${CMAKE_COMMAND}" DIRECTORY)
foreach(tool cpack dpkg-deb dpkg-shlibdeps dpkg)
    find_program(${tool}_path ${tool} HINTS "${cmake_bin}")
    if(NOT ${tool}_path)
        message("SKIPPED: no ${tool} (scripts/install-deps.sh --package installs it)")
        return()
    endif()
endforeach()

file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${cpack_path}" --config "${BUILD_DIR}/CPackConfig.cmake" -B "${OUT}"
                OUTPUT_VARIABLE log ERROR_VARIABLE log RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cpack failed:\n${log}")
endif()
set(arch "${ARCH}")
if(NOT arch)
    execute_process(COMMAND "${dpkg_path}" --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
set(deb "${OUT}/zorudoza-zudizir-ivozudiro_${VERSION}-${REVISION}_${arch}.deb")
if(NOT EXISTS "${deb}")
    file(GLOB made "${OUT}/*.deb")
    message(FATAL_ERROR "expected ${deb}, cpack made '${made}'")
endif()

execute_process(COMMAND "${dpkg-deb_path}" -c "${deb}" OUTPUT_VARIABLE listing)
string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" files "${listing}")
string(REPLACE "\n" "" files "${files}")
list(TRANSFORM files REPLACE "^\\./" "/")
list(SORT files)
set(expected
    /usr/bin/zorudoza-zudizir-ivozudiro
    /usr/share/applications/zorudoza-zudizir-ivozudiro.desktop
    /usr/share/doc/zorudoza-zudizir-ivozudiro/changelog.Debian.gz
    /usr/share/doc/zorudoza-zudizir-ivozudiro/copyright
    /usr/share/icons/hicolor/scalable/apps/zorudoza-zudizir-ivozudiro.svg
    /usr/share/man/man1/zorudoza-zudizir-ivozudiro.1.gz
    /usr/share/metainfo/example.zorudoza_zudizir_ivozudiro.ZorudozaZudizirIvozudiro.metainfo.xml)
if(NOT files STREQUAL expected)
    message(FATAL_ERROR "the package holds\n  ${files}\nnot\n  ${expected}\n${listing}")
endif()
string(REGEX MATCH "[^\n]*\\./[^u\n][^\n]*" stray "${listing}")
if(stray)
    message(FATAL_ERROR "the package holds something outside /usr: ${stray}")
endif()

execute_process(COMMAND "${dpkg-deb_path}" -f "${deb}" Version Depends Recommends OUTPUT_VARIABLE fields)
if(NOT fields MATCHES "Version: ${VERSION}-${REVISION}\n" OR NOT fields MATCHES "Depends:[^\n]*libqt6widgets6[a-z0-9]* \\(>= "
   OR NOT fields MATCHES "\nRecommends: qt6-wayland\n")
    message(FATAL_ERROR "version, computed dependencies or the Wayland plugin missing:\n${fields}")
endif()

# Each package named, with any alternatives, is one apt knows for the
# package's architecture.
find_program(apt_cache apt-cache)
string(REGEX MATCHALL "(Depends|Recommends): [^\n]*" names "${fields}")
string(REGEX REPLACE "(Depends|Recommends): " "," names "${names}")
string(REGEX REPLACE " *\\([^)]*\\)" "" names "${names}")
string(REGEX REPLACE "[ ;]*[,|] *" ";" names "${names}")
foreach(name ${names})
    if(apt_cache)
        execute_process(COMMAND "${apt_cache}" show --no-all-versions "${name}:${arch}"
                        OUTPUT_VARIABLE record ERROR_QUIET RESULT_VARIABLE unknown)
        if(unknown OR NOT record MATCHES "\nArchitecture: (${arch}|all)\n")
            message(FATAL_ERROR "the package names ${name}, which apt does not know for ${arch}:\n${fields}")
        endif()
    endif()
endforeach()

# The armhf package refuses an ARMv6 processor before anything is unpacked.
if(arch STREQUAL armhf)
    execute_process(COMMAND "${dpkg-deb_path}" -e "${deb}" "${OUT}/control")
    foreach(machine armv6l armv7l aarch64)
        file(WRITE "${OUT}/bin/uname" "#!/bin/sh\necho ${machine}\n")
        file(CHMOD "${OUT}/bin/uname" PERMISSIONS OWNER_READ OWNER_EXECUTE)
        execute_process(COMMAND env "PATH=${OUT}/bin:$ENV{PATH}" "${OUT}/control/preinst" install
                        RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
        if(machine STREQUAL armv6l AND status EQUAL 0 OR NOT machine STREQUAL armv6l AND NOT status EQUAL 0)
            message(FATAL_ERROR "preinst on ${machine} ends with ${status}")
        endif()
    endforeach()
endif()

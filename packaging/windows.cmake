# Windows: both executables with the icon and version information, the Qt and
# MinGW DLLs beside them, packed by CPack into a portable zip and an NSIS
# installer that installs for the current user: `make windows`.
enable_language(RC)
set(name zorudoza-zudizir-ivozudiro)
set(windows_dir ${CMAKE_CURRENT_LIST_DIR}/windows)
string(SUBSTRING "${ZZI_RELEASE_DATE}" 0 4 ZZI_COPYRIGHT_YEAR)

set_target_properties(${name} PROPERTIES WIN32_EXECUTABLE ON)
foreach(target ${name} ${name}-cli)
    set(ZZI_RC_TARGET ${target})
    set(ZZI_RC_FILE ${target}.exe)
    set(ZZI_RC_ICON ${windows_dir}/${name}.ico)
    if(target STREQUAL name)
        set(ZZI_RC_DESCRIPTION "Zorudoza Zudizir Ivozudiro")
    else()
        set(ZZI_RC_DESCRIPTION "Zorudoza Zudizir Ivozudiro command line")
    endif()
    configure_file(${windows_dir}/version.rc.in ${CMAKE_BINARY_DIR}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/${target}.rc)
endforeach()

# One folder holds everything (the preset makes the binary folder "."):
# unzipped anywhere, it runs.
install(TARGETS ${name}-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}) # the window: src/CMakeLists.txt
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_bin ${qt_core_dll} DIRECTORY)
get_filename_component(qt_prefix ${qt_bin} DIRECTORY)
install(FILES ${qt_bin}/Qt6Core.dll ${qt_bin}/Qt6Gui.dll ${qt_bin}/Qt6Widgets.dll ${qt_bin}/Qt6Network.dll
              ${qt_bin}/libstdc++-6.dll ${qt_bin}/libgcc_s_seh-1.dll ${qt_bin}/libwinpthread-1.dll
        DESTINATION .)
install(FILES ${qt_prefix}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${qt_prefix}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
# The README as text, with Windows line ends for Notepad.
file(READ ${CMAKE_SOURCE_DIR}/README.md readme)
string(REPLACE "\n" "\r\n" readme "${readme}")
file(WRITE ${CMAKE_BINARY_DIR}/README.txt "${readme}")
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_PACKAGE_NAME ${name})
set(CPACK_PACKAGE_VENDOR "Zorudoza Zudizir Ivozudiro")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tune remote satellite-TV receivers over UDP")
set(CPACK_PACKAGE_FILE_NAME ${name}-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Zorudoza Zudizir Ivozudiro")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ZorudozaZudizirIvozudiro)
set(CPACK_PACKAGE_EXECUTABLES ${name} "Zorudoza Zudizir Ivozudiro")
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${windows_dir}/cpack-generators.cmake)

set(CPACK_NSIS_PACKAGE_NAME "Zorudoza Zudizir Ivozudiro") # also the Start-menu folder
set(CPACK_NSIS_DISPLAY_NAME "Zorudoza Zudizir Ivozudiro")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME ${name}.exe)
set(CPACK_NSIS_MUI_ICON ${windows_dir}/${name}.ico)
set(CPACK_NSIS_MUI_UNIICON ${windows_dir}/${name}.ico)
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)

# CPack's installer is a 32-bit program that asks for administrator rights
# and installs for all users when it gets them. This one is a 64-bit
# program like the one it installs, and installs for the current user only,
# without those rights: the same template with these choices made.
set(nsis_template /usr/share/cmake-${CMAKE_MAJOR_VERSION}.${CMAKE_MINOR_VERSION}/Modules/Internal/CPack/NSIS.template.in)
file(READ ${nsis_template} template)
string(REPLACE "  ;Name and file" "  Target amd64-unicode\n\n  ;Name and file" template "${template}")
string(REPLACE "RequestExecutionLevel admin" "RequestExecutionLevel user" template "${template}")
string(REPLACE "SetShellVarContext all" "SetShellVarContext current" template "${template}")
string(REPLACE "StrCpy $SV_ALLUSERS \"AllUsers\"" "StrCpy $SV_ALLUSERS \"JustMe\"" template "${template}")
string(REPLACE "$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@" "@CPACK_NSIS_INSTALL_ROOT@\\@CPACK_PACKAGE_INSTALL_DIRECTORY@"
       template "${template}")
file(WRITE ${CMAKE_BINARY_DIR}/cpack-modules/NSIS.template.in "${template}")
set(CPACK_MODULE_PATH ${CMAKE_BINARY_DIR}/cpack-modules)

include(CPack)

# The Windows program, its installer and its portable zip.
#
# <folder>\ramulo.exe       the program: a window program, with its icon, manifest and
#                           version information
# <folder>\presets\         the shipped preset lists
# <folder>\*.dll, plugins\  Qt and the compiler's runtime, beside the program
#
# cpack (run in the build folder) packs the same tree as Ramulo-<version>-win64.exe, an
# NSIS installer, and Ramulo-<version>-win64.zip, the portable copy.

# No console window opens with the program.
set_target_properties(ramulo PROPERTIES WIN32_EXECUTABLE ON)
set(RAMULO_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/ramulo.manifest)
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/ramulo.manifest ${RAMULO_MANIFEST} @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/ramulo.rc.in ${CMAKE_CURRENT_BINARY_DIR}/ramulo.rc
               @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/ramulo.rc PROPERTIES
                            OBJECT_DEPENDS "${RAMULO_ICO};${RAMULO_MANIFEST}")
target_sources(ramulo PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/ramulo.rc)

# The tests run under Wine; scripts/windows sets up its prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/windows/wine-run)

# What the program loads, laid beside it as Qt looks for it there: the Qt libraries, the
# platform and style plugins, and the compiler's runtime.
set(qt_prefix ${RAMULO_QT_WINDOWS})
set(runtime_dlls ${qt_prefix}/bin/Qt6Core.dll ${qt_prefix}/bin/Qt6Gui.dll
    ${qt_prefix}/bin/Qt6Widgets.dll)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    find_file(RAMULO_DLL_${dll} ${dll} REQUIRED NO_CACHE NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
              PATHS /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)
    list(APPEND runtime_dlls ${RAMULO_DLL_${dll}})
endforeach()

install(TARGETS ramulo RUNTIME DESTINATION .)
install(FILES ${RAMULO_PRESETS} DESTINATION presets)
install(FILES ${runtime_dlls} DESTINATION .)
install(FILES ${qt_prefix}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${qt_prefix}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION . RENAME copyright.txt)

set(CPACK_PACKAGE_NAME Ramulo)
set(CPACK_PACKAGE_VENDOR Ramulo)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Ramulo : créer de nombreux dossiers en une fois")
set(CPACK_PACKAGE_FILE_NAME Ramulo-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Ramulo)
# The installer records its folder under HKLM\Software\Ramulo\Ramulo: the program reads
# it there to know that it is an installed copy.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Ramulo)
set(CPACK_PACKAGE_EXECUTABLES ramulo Ramulo) # the Start-menu shortcut
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)      # to the program beside the DLLs
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_VERBATIM_VARIABLES ON) # the registry's command holds quotes
set(CPACK_NSIS_PACKAGE_NAME Ramulo)
set(CPACK_NSIS_DISPLAY_NAME Ramulo)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${RAMULO_ICO})
set(CPACK_NSIS_MUI_UNIICON ${RAMULO_ICO})
set(CPACK_NSIS_INSTALLED_ICON_NAME ramulo.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# Explorer's right-click menu, on a folder and on a folder's empty background.
set(explorer_keys "Software\\Classes\\Directory\\shell\\Ramulo"
                  "Software\\Classes\\Directory\\Background\\shell\\Ramulo")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "")
foreach(key IN LISTS explorer_keys)
    string(APPEND CPACK_NSIS_EXTRA_INSTALL_COMMANDS
        "WriteRegStr HKLM \"${key}\" \"\" \"Créer des dossiers avec Ramulo\"\n"
        "WriteRegStr HKLM \"${key}\" \"Icon\" \"$INSTDIR\\ramulo.exe\"\n"
        "WriteRegStr HKLM \"${key}\\command\" \"\" '\"$INSTDIR\\ramulo.exe\" \"%V\"'\n")
    string(APPEND CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "DeleteRegKey HKLM \"${key}\"\n")
endforeach()
# CMake's NSIS script makes a 32-bit installer: this copy of it makes a 64-bit one, and
# its uninstaller also removes HKLM\Software\Ramulo once the key below it is gone.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in nsis_template)
string(FIND "${nsis_template}" "\n" first_line_end)
math(EXPR first_line_end "${first_line_end} + 1")
string(SUBSTRING "${nsis_template}" 0 ${first_line_end} nsis_top)
string(SUBSTRING "${nsis_template}" ${first_line_end} -1 nsis_rest)
string(CONCAT nsis_template "${nsis_top}" "Target amd64-unicode\n" "${nsis_rest}")
set(vendor_key [[DeleteRegKey /ifempty SHCTX "Software\@CPACK_PACKAGE_VENDOR@\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@"]])
string(FIND "${nsis_template}" "${vendor_key}" vendor_key_at REVERSE)
if(vendor_key_at LESS 0)
    message(FATAL_ERROR "CMake's NSIS template no longer removes the vendor's key as expected")
endif()
string(REPLACE "${vendor_key}"
       "${vendor_key}\n  DeleteRegKey /ifempty SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@\""
       nsis_template "${nsis_template}")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/nsis/NSIS.template.in "${nsis_template}")
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_BINARY_DIR}/nsis)
include(CPack)

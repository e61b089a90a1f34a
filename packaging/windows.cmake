# The Windows program, its installer and its portable zip.
#
# <folder>\ramulo.exe       the program: a window program, with its icon, manifest and
#                           version information
# <folder>\presets\         the shipped preset lists
# <folder>\*.dll, plugins\  Qt and the compiler's runtime, beside the program
#
# cpack (run in the build folder) packs the same tree as Ramulo-<version>-win64.exe, an
# NSIS installer, and Ramulo-<version>-win64.zip, the portable copy.

set(RAMULO_APP_ID org.example.ramulo)
target_compile_definitions(ramulo PRIVATE RAMULO_APP_ID="${RAMULO_APP_ID}")
# An installed copy lists the user's own presets: see RealProgramInfo.
target_compile_definitions(ramulo_logic PUBLIC RAMULO_PROGRAM_DIR="Ramulo")

# No console window opens with the program.
set_target_properties(ramulo PROPERTIES WIN32_EXECUTABLE ON)
set(RAMULO_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/ramulo.manifest)
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/ramulo.manifest ${RAMULO_MANIFEST} @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/ramulo.rc.in ${CMAKE_CURRENT_BINARY_DIR}/ramulo.rc
               @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/ramulo.rc PROPERTIES
                            OBJECT_DEPENDS "${RAMULO_ICO};${RAMULO_MANIFEST}")
target_sources(ramulo PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/ramulo.rc)

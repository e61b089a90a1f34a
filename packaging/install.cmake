# Installation and the Debian package.
#
# <prefix>/lib/ramulo/       the program and its "presets" folder beside it
# <prefix>/bin/ramulo        a relative link to it: the program resolves the link and
#                            still finds its presets
# <prefix>/share/...         the menu entry, the AppStream metainfo and the icons, the
#                            manual page, and in share/doc/ramulo the copyright and the
#                            changelog; share/lintian/overrides/ramulo, the lintian tags
#                            that do not apply here
# <prefix>/share/kio/servicemenus, <prefix>/share/nemo/actions
#                            the right-click entries of KDE's and Cinnamon's file managers,
#                            which start Ramulo on a folder. The menu entry itself claims no
#                            file type: offering Ramulo never makes it the program that opens
#                            folders.
#
# cmake --install <build> --prefix <folder> lays it out; cpack -G DEB (run in the build
# folder) packs it for /usr as ramulo_<version>_<arch>.deb.

set(RAMULO_PROGRAM_DIR lib/ramulo)
set(RAMULO_ICON_SIZES 16 22 24 32 48 64 128 256)

# An installed program lists the user's own presets beside its own.
target_compile_definitions(ramulo_ui PRIVATE RAMULO_PROGRAM_DIR="${RAMULO_PROGRAM_DIR}")
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    # Symbols bound at start-up, so the whole relocation table can be made read-only.
    target_link_options(ramulo PRIVATE LINKER:-z,now)
endif()

# The PNG icons are drawn from resources/icon.svg at build time.
add_executable(ramulo_render_icons ${CMAKE_CURRENT_LIST_DIR}/render_icons.cpp)
target_link_libraries(ramulo_render_icons PRIVATE Qt6::Gui Qt6::Svg ramulo_warnings)
set(icon_folder ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(icon_pngs)
foreach(size IN LISTS RAMULO_ICON_SIZES)
    list(APPEND icon_pngs ${icon_folder}/${size}x${size}/apps/${RAMULO_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${icon_pngs}
    COMMAND ramulo_render_icons ${CMAKE_CURRENT_SOURCE_DIR}/resources/icon.svg ${icon_folder}
            ${RAMULO_APP_ID} ${RAMULO_ICON_SIZES}
    DEPENDS ramulo_render_icons ${CMAKE_CURRENT_SOURCE_DIR}/resources/icon.svg
    COMMENT "Drawing the program icon at every size")
add_custom_target(ramulo_icons ALL DEPENDS ${icon_pngs})

# The manual page (the build writes its version in) and the changelog are installed
# compressed as Debian wants them: gzip -9, no file name or time inside.
find_program(RAMULO_GZIP gzip REQUIRED)
set(doc_folder ${CMAKE_CURRENT_BINARY_DIR}/doc)
configure_file(${CMAKE_CURRENT_LIST_DIR}/ramulo.1.in ${doc_folder}/ramulo.1 @ONLY)
add_custom_command(OUTPUT ${doc_folder}/ramulo.1.gz
    COMMAND ${RAMULO_GZIP} -9nkf ${doc_folder}/ramulo.1
    DEPENDS ${doc_folder}/ramulo.1
    COMMENT "Compressing the manual page")
# The changelog's newest entry is the version built: a new version needs its entry first.
set(changelog ${CMAKE_CURRENT_LIST_DIR}/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(STRINGS ${changelog} changelog_top LIMIT_COUNT 1)
string(REGEX MATCH "^ramulo \\(([^)]*)\\)" changelog_top "${changelog_top}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/changelog: the newest entry is for version "
                        "'${CMAKE_MATCH_1}', not ${PROJECT_VERSION}: add an entry for it")
endif()
add_custom_command(OUTPUT ${doc_folder}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${changelog} ${doc_folder}/changelog
    COMMAND ${RAMULO_GZIP} -9nf ${doc_folder}/changelog
    DEPENDS ${changelog}
    COMMENT "Compressing the changelog")
add_custom_target(ramulo_docs ALL DEPENDS ${doc_folder}/ramulo.1.gz ${doc_folder}/changelog.gz)

# The launcher is made once here and installed as a link.
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/launcher)
file(CREATE_LINK ../${RAMULO_PROGRAM_DIR}/ramulo ${CMAKE_CURRENT_BINARY_DIR}/launcher/ramulo SYMBOLIC)

install(TARGETS ramulo RUNTIME DESTINATION ${RAMULO_PROGRAM_DIR})
install(FILES ${RAMULO_PRESETS} DESTINATION ${RAMULO_PROGRAM_DIR}/presets)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/launcher/ramulo DESTINATION bin)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${RAMULO_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${RAMULO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${RAMULO_APP_ID}.servicemenu.desktop
        DESTINATION share/kio/servicemenus RENAME ${RAMULO_APP_ID}.desktop)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${RAMULO_APP_ID}.nemo_action DESTINATION share/nemo/actions)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/icon.svg
        DESTINATION share/icons/hicolor/scalable/apps RENAME ${RAMULO_APP_ID}.svg)
install(DIRECTORY ${icon_folder}/ DESTINATION share/icons/hicolor)
install(FILES ${doc_folder}/ramulo.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${doc_folder}/changelog.gz
        DESTINATION share/doc/ramulo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides DESTINATION share/lintian/overrides
        RENAME ramulo)

set(CPACK_PACKAGE_NAME ramulo)
set(CPACK_PACKAGE_VENDOR "l'équipe Ramulo")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "create many folders at once")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Ramulo makes every line of its name editor a folder: names typed, loaded from\n"
    "a ready-made list or generated as numbers, formatted by a fixed chain of\n"
    "options. A preview warns about duplicates and existing folders before\n"
    "anything is created. The interface is in French.\n"
    "Ramulo is freeware: it may be used and passed on freely.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "l'équipe Ramulo <ramulo@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The SVG pictures are drawn by Qt's SVG image and icon plugins, loaded at run time: the
# program links nothing of their package, so dpkg-shlibdeps cannot find it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
include(CPack)

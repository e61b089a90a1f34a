# Installation.
#
# <prefix>/lib/ramulo/       the program and its "presets" folder beside it
# <prefix>/bin/ramulo        a relative link to it: the program resolves the link and
#                            still finds its presets
# <prefix>/share/...         the menu entry, the AppStream metainfo and the icons
#
# cmake --install <build> --prefix <folder> lays it out.

set(RAMULO_APP_ID org.example.ramulo)
set(RAMULO_PROGRAM_DIR lib/ramulo)
set(RAMULO_ICON_SIZES 16 22 24 32 48 64 128 256)

# The window asks the desktop for this entry's icon and name.
target_compile_definitions(ramulo PRIVATE RAMULO_APP_ID="${RAMULO_APP_ID}")

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

# The launcher is made once here and installed as a link.
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/launcher)
file(CREATE_LINK ../${RAMULO_PROGRAM_DIR}/ramulo ${CMAKE_CURRENT_BINARY_DIR}/launcher/ramulo SYMBOLIC)

install(TARGETS ramulo RUNTIME DESTINATION ${RAMULO_PROGRAM_DIR})
install(FILES ${RAMULO_PRESETS} DESTINATION ${RAMULO_PROGRAM_DIR}/presets)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/launcher/ramulo DESTINATION bin)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${RAMULO_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${RAMULO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/icon.svg
        DESTINATION share/icons/hicolor/scalable/apps RENAME ${RAMULO_APP_ID}.svg)
install(DIRECTORY ${icon_folder}/ DESTINATION share/icons/hicolor)


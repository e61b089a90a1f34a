# The pictures of a Windows build: its Qt draws no SVG, so each SVG of resources/ is
# drawn as PNG at its own size and at twice it (name@2x.png, which Qt takes on a
# screen scaled past 100 %), and the program icon as a multi-size .ico. The drawing
# tool runs on the building machine: it is the host build's ramulo_render_icons,
# named by RAMULO_RENDER_TOOL.
set(RAMULO_RENDER_TOOL "" CACHE FILEPATH "The host build's ramulo_render_icons")
if(NOT EXISTS "${RAMULO_RENDER_TOOL}")
    message(FATAL_ERROR "A Windows build draws its pictures with the host build's "
                        "ramulo_render_icons: give its path as RAMULO_RENDER_TOOL")
endif()

set(picture_folder ${CMAKE_CURRENT_BINARY_DIR}/pictures)
set(picture_files)
foreach(name IN LISTS RAMULO_PICTURES)
    set(svg ${CMAKE_CURRENT_SOURCE_DIR}/resources/${name}.svg)
    add_custom_command(OUTPUT ${picture_folder}/${name}.png ${picture_folder}/${name}@2x.png
        COMMAND ${CMAKE_COMMAND} -E make_directory ${picture_folder}
        COMMAND ${RAMULO_RENDER_TOOL} --picture ${svg} ${picture_folder}/${name}.png 1
        COMMAND ${RAMULO_RENDER_TOOL} --picture ${svg} ${picture_folder}/${name}@2x.png 2
        DEPENDS ${svg}
        COMMENT "Drawing ${name}.svg as PNG")
    list(APPEND picture_files ${picture_folder}/${name}.png ${picture_folder}/${name}@2x.png)
endforeach()
qt_add_resources(ramulo_ui ramulo_resources PREFIX "/" BASE ${picture_folder}
                 FILES ${picture_files})
target_compile_definitions(ramulo_ui PRIVATE RAMULO_PICTURE_TYPE=".png")

set(RAMULO_ICO ${picture_folder}/ramulo.ico)
add_custom_command(OUTPUT ${RAMULO_ICO}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${picture_folder}
    COMMAND ${RAMULO_RENDER_TOOL} --ico ${CMAKE_CURRENT_SOURCE_DIR}/resources/icon.svg
            ${RAMULO_ICO} 16 20 24 32 40 48 64 256
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/resources/icon.svg
    COMMENT "Drawing the program icon as a Windows icon")

# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop icon of a program, drawn by its own exporter (the window's own drawing code) as
# SVG and PNGs of the usual sizes at build time, and installed into the hicolor theme.
#   varnel_desktop_icons(EXPORTER icon_export NAME varnel-coils TARGET icons)
function(varnel_desktop_icons)
    cmake_parse_arguments(ARG "" "EXPORTER;NAME;TARGET" "" ${ARGN})
    set(icons ${CMAKE_CURRENT_BINARY_DIR}/icons)
    set(sizes 16 24 32 48 64 128 256)
    set(files ${icons}/${ARG_NAME}.svg)
    foreach(size ${sizes})
        list(APPEND files ${icons}/${ARG_NAME}-${size}.png)
    endforeach()
    add_custom_command(OUTPUT ${files}
                       COMMAND ${ARG_EXPORTER} ${icons}
                       DEPENDS ${ARG_EXPORTER}
                       VERBATIM)
    add_custom_target(${ARG_TARGET} ALL DEPENDS ${files})
    install(FILES ${icons}/${ARG_NAME}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size ${sizes})
        install(FILES ${icons}/${ARG_NAME}-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${ARG_NAME}.png)
    endforeach()
endfunction()

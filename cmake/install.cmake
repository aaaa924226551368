# What `cmake --install build --prefix P` puts in place: the game, its desktop entry and metadata,
# its icons (drawn by the build from the game's own colours, as SVG and in the PNG sizes that
# panels and menus ask for) and its manual page. Everything the desktop looks up is named after
# the component ID. A Debian package sets CMAKE_INSTALL_BINDIR to games.
include(GNUInstallDirs)

set(ZENTOR_ID io.github.zentor.Zentor)
set(ZENTOR_ICON_SIZES 16 22 24 32 48 64 128 256)

set(ZENTOR_ICON_DIR ${PROJECT_BINARY_DIR}/icons)
set(ZENTOR_ICON ${ZENTOR_ICON_DIR}/scalable/${ZENTOR_ID}.svg)
add_custom_command(OUTPUT ${ZENTOR_ICON}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${ZENTOR_ICON_DIR}/scalable
                   COMMAND zentor-icon ${ZENTOR_ICON}
                   DEPENDS zentor-icon
                   COMMENT "Drawing the icon")

# The PNGs are the SVG rasterised, so that every size shows the same drawing.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(ZENTOR_ICON_FILES ${ZENTOR_ICON})
foreach(size IN LISTS ZENTOR_ICON_SIZES)
  set(png ${ZENTOR_ICON_DIR}/${size}x${size}/${ZENTOR_ID}.png)
  add_custom_command(OUTPUT ${png}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${ZENTOR_ICON_DIR}/${size}x${size}
                     COMMAND ${RSVG_CONVERT} --width=${size} --height=${size} --output=${png}
                             ${ZENTOR_ICON}
                     DEPENDS ${ZENTOR_ICON}
                     COMMENT "Rendering the ${size} pixel icon")
  list(APPEND ZENTOR_ICON_FILES ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(zentor-icon-files ALL DEPENDS ${ZENTOR_ICON_FILES})

install(TARGETS zentor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/${ZENTOR_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${ZENTOR_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ZENTOR_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/zentor.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

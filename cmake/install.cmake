# What `cmake --install build --prefix P` puts in place: the game, its desktop entry, its icon
# (drawn by the build from the game's own colours) and its manual page.
include(GNUInstallDirs)

add_executable(zentor-icon tools/zentor_icon.cpp)
target_link_libraries(zentor-icon PRIVATE zentor_core)

set(ZENTOR_ICON ${PROJECT_BINARY_DIR}/zentor.svg)
add_custom_command(OUTPUT ${ZENTOR_ICON}
                   COMMAND zentor-icon ${ZENTOR_ICON}
                   DEPENDS zentor-icon
                   COMMENT "Drawing the icon")
add_custom_target(zentor-icon-file ALL DEPENDS ${ZENTOR_ICON})

install(TARGETS zentor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/zentor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZENTOR_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/zentor.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

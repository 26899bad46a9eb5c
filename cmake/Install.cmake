# Install rules of the game (component "game": what the Debian package
# holds), in the layout of Debian's games. The programs go to a private
# folder; launchers in games/ start them in the folder their settings come
# from, finding both relative to their own location, so an unpacked or
# moved installation works too:
#   games/vektra, games/vektra-config        launchers
#   lib/games/vektra/                        the programs
#   share/games/vektra/                      shipped settings files, sounds/
#   share/doc/vektra/                        player's guide, copyright, changelog, docs/ (playing,
#                                            settings, online play, computer players)
#   share/man/man6/                          man pages
#   lib/systemd/system/                      the dedicated server's service
#   share/applications/, share/icons/        menu entry and icon
include(GNUInstallDirs)

set(VEKTRA_VERSION ${PROJECT_VERSION})
set(VEKTRA_LAUNCHER_DIR games)
set(VEKTRA_PROGRAM_DIR lib/games/vektra)
set(VEKTRA_DATA_DIR ${CMAKE_INSTALL_DATAROOTDIR}/games/vektra)
set(VEKTRA_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vektra)
set(VEKTRA_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(VEKTRA_STAGE_DIR ${PROJECT_BINARY_DIR}/packaging)

# Settings files shipped beside vektra.cfg, when they exist. Globbed so
# that one added later is picked up by the next build.
file(GLOB top_settings CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/*.cfg)
set(VEKTRA_SHIPPED_SETTINGS)
foreach(file ${top_settings})
  get_filename_component(name ${file} NAME)
  if(name STREQUAL "vektra.cfg" OR name STREQUAL "party.cfg" OR name STREQUAL "play.cfg" OR
     name STREQUAL "classic.cfg")
    list(APPEND VEKTRA_SHIPPED_SETTINGS ${file})
  endif()
endforeach()

install(TARGETS vektra vektra-config vektra-sim vektra-server RUNTIME DESTINATION ${VEKTRA_PROGRAM_DIR}
  COMPONENT game)
install(FILES ${VEKTRA_SHIPPED_SETTINGS} DESTINATION ${VEKTRA_DATA_DIR} COMPONENT game)
# The sounds, found by the game from its own place: the relative path is built in.
install(FILES ${VEKTRA_SOUND_FILES} DESTINATION ${VEKTRA_DATA_DIR}/sounds COMPONENT game)
file(RELATIVE_PATH sounds_from_program /x/${VEKTRA_PROGRAM_DIR} /x/${VEKTRA_DATA_DIR}/sounds)
target_compile_definitions(VektraSound PRIVATE VEKTRA_SOUNDS_FROM_PROGRAM="${sounds_from_program}")

# Launchers: the relative paths from their folder are written into them, and
# the game's usage (shared with scripts/run-game) and version.
file(READ ${VEKTRA_PACKAGING_DIR}/vektra-usage.txt GAME_USAGE)
string(STRIP "${GAME_USAGE}" GAME_USAGE)
file(RELATIVE_PATH program_from_bin /x/${VEKTRA_LAUNCHER_DIR} /x/${VEKTRA_PROGRAM_DIR})
file(RELATIVE_PATH data_from_bin /x/${VEKTRA_LAUNCHER_DIR} /x/${VEKTRA_DATA_DIR})
foreach(PROGRAM vektra vektra-config vektra-sim vektra-server)
  set(PROGRAM_FROM_BIN ${program_from_bin}/${PROGRAM})
  set(DATA_FROM_BIN ${data_from_bin})
  set(LEADING_OPTION "")
  if(PROGRAM STREQUAL "vektra-config")
    set(LEADING_OPTION "--get")
  elseif(PROGRAM STREQUAL "vektra-sim")
    set(LEADING_OPTION "-")
  endif()
  configure_file(${VEKTRA_PACKAGING_DIR}/launcher.in ${VEKTRA_STAGE_DIR}/bin/${PROGRAM} @ONLY)
  install(PROGRAMS ${VEKTRA_STAGE_DIR}/bin/${PROGRAM} DESTINATION ${VEKTRA_LAUNCHER_DIR} COMPONENT game)
endforeach()

# Man pages and the changelog, compressed as Debian wants them.
set(VEKTRA_GZIPPED)
foreach(page vektra.6 vektra-config.6 vektra-sim.6 vektra-server.6)
  configure_file(${VEKTRA_PACKAGING_DIR}/${page} ${VEKTRA_STAGE_DIR}/${page} @ONLY)
  list(APPEND VEKTRA_GZIPPED ${VEKTRA_STAGE_DIR}/${page})
endforeach()
configure_file(${VEKTRA_PACKAGING_DIR}/changelog ${VEKTRA_STAGE_DIR}/changelog COPYONLY)
list(APPEND VEKTRA_GZIPPED ${VEKTRA_STAGE_DIR}/changelog)
set(gzipped_outputs)
foreach(file ${VEKTRA_GZIPPED})
  add_custom_command(OUTPUT ${file}.gz
    COMMAND gzip -9nkf ${file}
    DEPENDS ${file}
    COMMENT "Compressing ${file}")
  list(APPEND gzipped_outputs ${file}.gz)
endforeach()
add_custom_target(vektra-docs ALL DEPENDS ${gzipped_outputs})
install(FILES ${VEKTRA_STAGE_DIR}/vektra.6.gz ${VEKTRA_STAGE_DIR}/vektra-config.6.gz
  ${VEKTRA_STAGE_DIR}/vektra-sim.6.gz ${VEKTRA_STAGE_DIR}/vektra-server.6.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)
# A player gets the player's guide; the README is for those who build.
install(FILES ${PROJECT_SOURCE_DIR}/docs/players-guide.md ${VEKTRA_PACKAGING_DIR}/copyright
  ${VEKTRA_STAGE_DIR}/changelog.gz
  DESTINATION ${VEKTRA_DOC_DIR} COMPONENT game)
# The player's pages the guide and the man pages point to, with the pages
# and pictures they link to, in the folder the README's links name.
install(FILES ${PROJECT_SOURCE_DIR}/docs/playing.md ${PROJECT_SOURCE_DIR}/docs/settings.md
  ${PROJECT_SOURCE_DIR}/docs/online.md ${PROJECT_SOURCE_DIR}/docs/computer-players.md
  ${PROJECT_SOURCE_DIR}/docs/screenshot.png ${PROJECT_SOURCE_DIR}/docs/party.png
  ${PROJECT_SOURCE_DIR}/docs/computer-players.png ${PROJECT_SOURCE_DIR}/docs/computer-players.csv
  DESTINATION ${VEKTRA_DOC_DIR}/docs COMPONENT game)

install(FILES ${VEKTRA_PACKAGING_DIR}/vektra.desktop
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications COMPONENT game)
foreach(size 32 48 64)
  install(FILES ${VEKTRA_PACKAGING_DIR}/vektra-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
    RENAME vektra.png COMPONENT game)
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/Export.cmake)

# The dedicated server as a system service (docs/online.md): systemd finds
# units under the prefix's lib/systemd/system, /usr/lib/systemd/system in
# the package.
install(FILES ${VEKTRA_PACKAGING_DIR}/vektra-server.service
  DESTINATION lib/systemd/system COMPONENT game)

# The Debian package (make package): the "game" component of the install
# rules (cmake/Install.cmake) under /usr, with its runtime dependencies
# worked out by dpkg-shlibdeps and its programs stripped. Headers, libraries
# and the CMake package stay with cmake --install.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vektra)
set(CPACK_PACKAGE_VERSION ${VEKTRA_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vektra developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game of players leaving solid trails on a grid")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_GAME_PACKAGE_NAME vektra)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vektra developers <vektra@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Players move across a grid of cells, one cell per step, each leaving a
solid trail; whoever moves into a wall, a trail or another player is out.
You steer one player with the keyboard, the others are computer players.
.
Every setting (window, arena size, players, speed, keys) comes from a
commented text file; the vektra-config program shows the settings as the
game reads them.")
include(CPack)

# The Debian packages (make package), from the components of the install
# rules (cmake/Install.cmake, cmake/Export.cmake) under /usr:
# - vektra: the game ("game"), its runtime dependencies worked out by
#   dpkg-shlibdeps, its programs stripped;
# - vektra-dev: the framework's headers, static libraries (without debug
#   sections), CMake package, pkg-config file, documentation and example
#   ("dev"), depending on the development packages its CMake package finds.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vektra)
set(CPACK_PACKAGE_VERSION ${VEKTRA_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vektra developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The static libraries lose their debug sections too (cmake/StripArchives.cmake).
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/StripArchives.cmake)
set(CPACK_VEKTRA_STRIP ${CMAKE_STRIP})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_GAME_PACKAGE_NAME vektra)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_DEV_PACKAGE_NAME vektra-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
  "libglfw3-dev, libglew-dev, libgl-dev, libglu1-mesa-dev, libsodium-dev, libopenal-dev, libsndfile1-dev, libfreetype-dev, libfontconfig-dev, pkg-config")
# The first line of each description is the package's summary.
set(CPACK_DEBIAN_DEV_DESCRIPTION "framework of the Vektra game, for building other games
The game framework under Vektra: a main loop, a synchronous event bus,
logic states, timers, views, a GLFW window backend and a headless one, a
keyboard device, a settings system and an OpenGL render controller, as
static libraries with their headers and a CMake package:
find_package(Vektra CONFIG) gives targets such as Vektra::GameGLFW.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vektra developers <vektra@example.org>")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the libraries dpkg-shlibdeps finds: the face the words are drawn in.
set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_GAME_DESCRIPTION "arcade game of players leaving solid trails on a grid
Players move across a grid of cells, one cell per step, each leaving a
solid trail; whoever moves into a wall, a trail or another player is out.
You steer one player with the keyboard, the others are computer players.
.
Every setting (window, arena size, players, speed, keys) comes from a
commented text file; the vektra-config program shows the settings as the
game reads them.")
include(CPack)

# The framework for other games (component "dev", not in the Debian
# package): headers copied to include/vektra/<Folder>/ as they are in lib/,
# the static libraries in lib/vektra/, and a CMake package in
# lib/cmake/Vektra/, so that
#   find_package(Vektra CONFIG REQUIRED)
#   target_link_libraries(mygame PRIVATE Vektra::GameGLFW)
# builds a game against it. Every library keeps its name in the namespace
# Vektra:: and brings what it depends on.
include(CMakePackageConfigHelpers)

set(VEKTRA_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/vektra)
set(VEKTRA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Vektra)

# Libraries from the bottom up; the game's own code (VektraGame) is not
# part of the framework.
set(VEKTRA_EXPORTED)
foreach(target Util Math Random Files CFG Events Devices Sound SoundAL Render RenderOGL RenderHeadless
               GameCore GameGLFW GameHeadless Game)
  if(TARGET ${target})
    list(APPEND VEKTRA_EXPORTED ${target})
  endif()
endforeach()

# In the build tree the libraries' headers are found in lib/; installed,
# in include/vektra/.
foreach(target ${VEKTRA_EXPORTED})
  get_target_property(dirs ${target} INTERFACE_INCLUDE_DIRECTORIES)
  if(NOT dirs)
    continue()
  endif()
  list(TRANSFORM dirs REPLACE "^${PROJECT_SOURCE_DIR}/lib$"
    "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/lib>;$<INSTALL_INTERFACE:${VEKTRA_INCLUDE_DIR}>")
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${dirs}")
endforeach()

install(TARGETS ${VEKTRA_EXPORTED} EXPORT VektraTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}/vektra COMPONENT dev)
# Only the public headers: the ones private to their library's sources
# (the GLFW layer's state and aliases, the settings store's inside) stay out.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/lib/ DESTINATION ${VEKTRA_INCLUDE_DIR} COMPONENT dev
  FILES_MATCHING PATTERN "*.h" PATTERN "GAME_MAIN"
  PATTERN "GLFW27Layer.h" EXCLUDE PATTERN "GLFW27Aliases.h" EXCLUDE PATTERN "InfoImpl.h" EXCLUDE)
install(EXPORT VektraTargets NAMESPACE Vektra:: DESTINATION ${VEKTRA_CMAKE_DIR} COMPONENT dev)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/VektraConfig.cmake.in
  ${PROJECT_BINARY_DIR}/VektraConfig.cmake INSTALL_DESTINATION ${VEKTRA_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VektraConfigVersion.cmake
  VERSION ${VEKTRA_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VektraConfig.cmake ${PROJECT_BINARY_DIR}/VektraConfigVersion.cmake
  DESTINATION ${VEKTRA_CMAKE_DIR} COMPONENT dev)
install(FILES ${VEKTRA_PACKAGING_DIR}/copyright ${VEKTRA_STAGE_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/vektra-dev COMPONENT dev)

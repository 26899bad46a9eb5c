# The framework for other games (component "dev", the vektra-dev package):
# headers copied to include/vektra/<Folder>/ as they are in lib/, the static
# libraries in the architecture's library folder (lib/<multiarch>/vektra/,
# as Debian keeps them; lib/vektra/ where the compiler names no
# architecture), a CMake package in lib/cmake/Vektra/ and a pkg-config file
# (lib/<multiarch>/pkgconfig/vektra.pc), so that
#   find_package(Vektra CONFIG REQUIRED)
#   target_link_libraries(mygame PRIVATE Vektra::GameGLFW)
# or
#   c++ mygame.cpp $(pkg-config --cflags --libs vektra)
# builds a game against it. Every library keeps its name in the namespace
# Vektra:: and brings what it depends on. The framework's documentation and
# the example game's sources go to the package's doc folder.
include(CMakePackageConfigHelpers)

set(VEKTRA_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/vektra)
set(VEKTRA_CMAKE_DIR lib/cmake/Vektra)
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(VEKTRA_ARCH_LIB_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE})
else()
  set(VEKTRA_ARCH_LIB_DIR ${CMAKE_INSTALL_LIBDIR})
endif()
# Names such as libUtil.a are too common for the shared folder itself.
set(VEKTRA_LIBRARY_DIR ${VEKTRA_ARCH_LIB_DIR}/vektra)
set(VEKTRA_DEV_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vektra-dev)

# Libraries from the bottom up; the game's own code (VektraGame) is not
# part of the framework.
set(VEKTRA_EXPORTED)
foreach(target Util Math Random Files CFG Events Devices Sound SoundAL Render RenderText RenderOGL RenderHeadless
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
  ARCHIVE DESTINATION ${VEKTRA_LIBRARY_DIR} COMPONENT dev)
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
  DESTINATION ${VEKTRA_DEV_DOC_DIR} COMPONENT dev)

# The documentation, the framework's (docs/framework.md) with every page it
# leads to, in the folder layout of the checkout so that each link finds its
# page, and the example game, ready to build against the package.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${VEKTRA_DEV_DOC_DIR}/docs COMPONENT dev
  FILES_MATCHING PATTERN "*.md" PATTERN "*.png" PATTERN "*.svg" PATTERN "*.csv")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/catch
  DESTINATION ${VEKTRA_DEV_DOC_DIR}/examples COMPONENT dev)

# pkg-config: one module, "vektra", with every static library from the top
# of the dependency graph down, and the packages the CMake package finds.
set(VEKTRA_PC_LIBS "")
foreach(target ${VEKTRA_EXPORTED})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "STATIC_LIBRARY")
    set(VEKTRA_PC_LIBS "-l${target} ${VEKTRA_PC_LIBS}")
  endif()
endforeach()
string(STRIP "${VEKTRA_PC_LIBS}" VEKTRA_PC_LIBS)
# Found from the file's own place, so an unpacked or moved tree works too.
file(RELATIVE_PATH VEKTRA_PC_PREFIX /x/${VEKTRA_ARCH_LIB_DIR}/pkgconfig /x)
string(REGEX REPLACE "/$" "" VEKTRA_PC_PREFIX "${VEKTRA_PC_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/vektra.pc.in ${PROJECT_BINARY_DIR}/vektra.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vektra.pc DESTINATION ${VEKTRA_ARCH_LIB_DIR}/pkgconfig
  COMPONENT dev)

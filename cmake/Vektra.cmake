# vektra_library(Name DIR folder DEPS targets...)
# One static library per folder of lib/, made of every .cpp in that folder
# (headers only: an INTERFACE library). Include paths are rooted at lib/, so
# code writes #include "Util/Debug.h".
function(vektra_library name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/lib)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/lib)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# Under the sanitizers, a program that opens an OpenGL context needs the
# driver preloaded after the sanitizer runtime, or LeakSanitizer's
# suppressions of the driver's own leaks cannot match. The rule is made
# once, in scripts/lib/xvfb.sh (vektra_preload_list), for this build's
# runtime and GL library: the GL tests get the answer as LD_PRELOAD; the
# tests that start the game and the scripts ask the same rule for it.
set(VEKTRA_SANITIZER_PRELOAD "")
if(VEKTRA_SANITIZE)
  find_package(OpenGL REQUIRED COMPONENTS OpenGL)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
                  OUTPUT_VARIABLE asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(
    COMMAND bash -c ". \"$0\" && vektra_preload_list \"$1\" \"$2\""
            ${PROJECT_SOURCE_DIR}/scripts/lib/xvfb.sh ${asan_runtime} ${OPENGL_opengl_LIBRARY}
    OUTPUT_VARIABLE VEKTRA_SANITIZER_PRELOAD OUTPUT_STRIP_TRAILING_WHITESPACE)
  message(STATUS "Sanitizer preload of the GL tests: ${VEKTRA_SANITIZER_PRELOAD}")
endif()

# vektra_tests(Folder LABEL label DEPS targets... [RESOURCE_LOCK name])
# Folder may be nested ("Game/Window" gives test_Game_Window).
# One test executable per folder of tests/, made of every .cpp in it, with
# each GoogleTest case registered in CTest under the given label, and the
# shared test helpers (TestSupport) linked in.
function(vektra_tests folder)
  cmake_parse_arguments(ARG "" "LABEL;RESOURCE_LOCK" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  string(REPLACE "/" "_" target "test_${folder}")
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} TestSupport GTest::gtest GTest::gmock GTest::gtest_main)
  set(props LABELS ${ARG_LABEL})
  if(VEKTRA_SANITIZER_PRELOAD AND ARG_LABEL STREQUAL "gl")
    list(APPEND props ENVIRONMENT "LD_PRELOAD=${VEKTRA_SANITIZER_PRELOAD}")
  endif()
  if(ARG_RESOURCE_LOCK)
    list(APPEND props RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
  endif()
  gtest_discover_tests(${target}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ${props}
    DISCOVERY_TIMEOUT 60)
endfunction()

# vektra_bench(Name DEPS targets...): bench/<Name>.cpp as the executable
# bench_<Name>, linked with Google Benchmark's main.
function(vektra_bench name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  add_executable(bench_${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
  target_link_libraries(bench_${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

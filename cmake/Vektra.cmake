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

# Under the sanitizers, LeakSanitizer's suppressions for the OpenGL driver
# (tests/lsan.supp) match only while the driver is mapped when the leak check
# runs at exit, and only if the leak's stack reaches it. Mesa unloads the
# driver with the last context, and the fast unwinder stops inside it, so a
# test that opened a context would report the driver's own allocations as
# "<unknown module>". Preloading the driver keeps it mapped to the end; the
# sanitizer runtime must come first in the preload list. This is the one
# place that rule is made: GL tests get it as LD_PRELOAD, and every test gets
# it as VEKTRA_SANITIZER_PRELOAD to hand to the programs it starts.
set(VEKTRA_SANITIZER_PRELOAD "")
if(VEKTRA_SANITIZE)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
                  OUTPUT_VARIABLE asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  file(GLOB gl_drivers /usr/lib/*/dri/swrast_dri.so)
  if(EXISTS "${asan_runtime}" AND gl_drivers)
    file(REAL_PATH "${asan_runtime}" asan_runtime)
    list(GET gl_drivers 0 gl_driver)
    set(VEKTRA_SANITIZER_PRELOAD "${asan_runtime}:${gl_driver}")
  endif()
endif()

# vektra_tests(Folder LABEL label DEPS targets... [RESOURCE_LOCK name])
# Folder may be nested ("Game/Window" gives test_Game_Window).
# One test executable per folder of tests/, made of every .cpp in it, with
# each GoogleTest case registered in CTest under the given label.
function(vektra_tests folder)
  cmake_parse_arguments(ARG "" "LABEL;RESOURCE_LOCK" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  string(REPLACE "/" "_" target "test_${folder}")
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  set(props LABELS ${ARG_LABEL})
  if(VEKTRA_SANITIZER_PRELOAD)
    set(environment "VEKTRA_SANITIZER_PRELOAD=${VEKTRA_SANITIZER_PRELOAD}")
    if(ARG_LABEL STREQUAL "gl")
      list(APPEND environment "LD_PRELOAD=${VEKTRA_SANITIZER_PRELOAD}")
    endif()
    list(APPEND props ENVIRONMENT "${environment}")
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

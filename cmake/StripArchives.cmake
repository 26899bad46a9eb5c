# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) after the files are staged and
# before they are packed: the framework's static libraries lose their debug
# sections, as Debian's packages ship them. CPACK_STRIP_FILES only strips
# programs; a full strip would take the symbols a linker needs.
file(GLOB_RECURSE archives "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.a")
foreach(archive ${archives})
  execute_process(COMMAND "${CPACK_VEKTRA_STRIP}" --strip-debug "${archive}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not strip ${archive}")
  endif()
endforeach()

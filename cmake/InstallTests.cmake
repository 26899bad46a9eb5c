# Tests of what is installed, in make test only: under the sanitizers they
# would pack and install instrumented programs and libraries.
if(VEKTRA_SANITIZE OR VEKTRA_FUZZ)
  return()
endif()

# The Debian package built, unpacked and run.
add_test(NAME package
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/package-test.sh ${PROJECT_BINARY_DIR})
set_tests_properties(package PROPERTIES LABELS e2e TIMEOUT 300)

# The installed tree and the checkout as a player meets them: links in the
# documents, --help and --version, and the path rules of every program.
add_test(NAME install
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/install-test.sh ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
set_tests_properties(install PROPERTIES LABELS e2e TIMEOUT 300)

# The example game built against the installed framework and run headless.
add_test(NAME example
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/example/example-test.sh ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
set_tests_properties(example PROPERTIES LABELS e2e TIMEOUT 600)

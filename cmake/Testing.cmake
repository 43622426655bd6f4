# GoogleTest comes from Debian's source package (/usr/src/googletest), built
# with the same compiler as the code under test, so the mingw build gets
# its own copy.
set(DORVANE_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${DORVANE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# Registers a GoogleTest binary with ctest. The test passes only when the
# binary printed GoogleTest's own closing summary and no failure line: a
# program that never ran (a 32-bit exe under a Wine without wine32 exits 0
# silently) prints nothing and therefore fails.
function(dorvane_add_gtest target)
  add_test(NAME ${target} COMMAND ${target} --gtest_color=no)
  set_tests_properties(${target} PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* test"
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\];Segmentation fault;unhandled exception"
    TIMEOUT 600)
endfunction()

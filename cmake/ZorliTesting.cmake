# GoogleTest from the Debian sources, built with whichever compiler this tree uses.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# zorli_add_test(NAME SOURCES... LIBS lib...): one GoogleTest program, run by ctest
# (under Wine in the Windows tree). The test runs in its own scratch folder.
function(zorli_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(workdir ${CMAKE_BINARY_DIR}/testwork/${name})
  file(MAKE_DIRECTORY ${workdir})
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no WORKING_DIRECTORY ${workdir})
endfunction()

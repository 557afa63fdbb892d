# Test programs: one executable per source folder, run by ctest as one test each.
# On Windows targets ctest runs them through Wine (see CMAKE_CROSSCOMPILING_EMULATOR);
# tools/test.sh warms the Wine prefix and provides the display first.
enable_testing()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

if(QUILLET_WINDOWS)
  set(QUILLET_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  # The prefix is part of the emulator, so a bare ctest can never touch ~/.wine.
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env WINEPREFIX=${QUILLET_WINEPREFIX} WINEDEBUG=-all
      "WINEDLLOVERRIDES=mscoree,mshtml=;winedbg.exe=d" /usr/lib/wine/wine64)
  # The source tree as Wine sees it (drive Z: maps the host root).
  string(REPLACE "/" "\\" QUILLET_SOURCE_DIR_WIN "Z:${PROJECT_SOURCE_DIR}")
  set(QUILLET_TEST_SOURCE_DIR "${QUILLET_SOURCE_DIR_WIN}")
else()
  set(QUILLET_TEST_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
endif()

# quillet_test(<name> SOURCES ... LIBS ... [SERIAL])
function(quillet_test name)
  cmake_parse_arguments(T "SERIAL" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} test_support GTest::gtest)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600
      ENVIRONMENT "QUILLET_SOURCE_DIR=${QUILLET_TEST_SOURCE_DIR}")
  if(T_SERIAL)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL ON)
  endif()
endfunction()

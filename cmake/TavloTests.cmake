# Test executables, one per folder, found by glob:
#   tests/<dir>/**.cpp  -> <dir>_tests   (both builds; portable + fakes + GoogleTest)
#   tests/win32/**.cpp  -> win32_tests   (win32 build only; portable + Win32 code, run under Wine)
# A folder becomes an executable once it holds a *_test.cpp; its other .cpp files are
# helpers of that executable. tests/support/*.cpp (if any) is linked into every test
# executable; tests/fuzz is left to the fuzzing build. Include dirs: src and tests.
# CTest names are "<dir>/<Suite>.<Test>", e.g. ctest -R '^core/'.

enable_testing()
file(GLOB_RECURSE _tavlo_test_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/*.cpp)
if(NOT _tavlo_test_sources)
  return()
endif()
include(GoogleTest)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${TAVLO_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Environment of every test run by CTest (a variable set by the caller wins): the
# project's ODBC driver list, and the SQLite3 driver in place of Access.
set(_tavlo_test_env ${CMAKE_BINARY_DIR}/TavloTestEnv.cmake)
file(WRITE ${_tavlo_test_env}
  "if(NOT DEFINED ENV{ODBCSYSINI})\n"
  "  set(ENV{ODBCSYSINI} \"${TAVLO_ODBC_DIR}\")\n"
  "endif()\n"
  "if(NOT DEFINED ENV{TAVLO_ODBC_DRIVER})\n"
  "  set(ENV{TAVLO_ODBC_DRIVER} SQLite3)\n"
  "endif()\n")
if(TAVLO_SANITIZE)
  file(APPEND ${_tavlo_test_env}
    "if(NOT DEFINED ENV{ASAN_OPTIONS})\n"
    "  set(ENV{ASAN_OPTIONS} \"halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1\")\n"
    "endif()\n"
    "if(NOT DEFINED ENV{UBSAN_OPTIONS})\n"
    "  set(ENV{UBSAN_OPTIONS} \"halt_on_error=1:print_stacktrace=1\")\n"
    "endif()\n")
endif()
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${_tavlo_test_env})

if(CMAKE_CROSSCOMPILING)
  set(_tavlo_discovery_timeout 180)   # the first Wine start may create the prefix
else()
  set(_tavlo_discovery_timeout 60)
endif()

# Files per top-level test folder.
set(_tavlo_test_dirs "")
foreach(_file IN LISTS _tavlo_test_sources)
  file(RELATIVE_PATH _rel ${PROJECT_SOURCE_DIR}/tests ${_file})
  if(NOT _rel MATCHES "^([^/]+)/")
    continue()   # a file directly under tests/ belongs to no executable
  endif()
  set(_dir ${CMAKE_MATCH_1})
  list(APPEND _tavlo_test_dirs ${_dir})
  list(APPEND _tavlo_test_files_${_dir} ${_file})
endforeach()
list(REMOVE_DUPLICATES _tavlo_test_dirs)

set(_tavlo_support "")
if(_tavlo_test_files_support)
  add_library(tavlo_test_support STATIC ${_tavlo_test_files_support})
  target_include_directories(tavlo_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(tavlo_test_support PUBLIC tavlo_portable GTest::gmock)
  tavlo_warnings(tavlo_test_support)
  set(_tavlo_support tavlo_test_support)
endif()

# tavlo_test_executable(<dir> <files>): the executable <dir>_tests and its CTest entries.
function(tavlo_test_executable dir files)
  set(name ${dir}_tests)
  list(FILTER files INCLUDE REGEX "\\.cpp$")
  set(tests ${files})
  list(FILTER tests INCLUDE REGEX "_test\\.cpp$")
  if(NOT tests)
    return()
  endif()
  add_executable(${name} ${files})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  tavlo_warnings(${name})
  if(dir STREQUAL "win32")
    tavlo_link_group(${name} tavlo_win32 tavlo_portable)
  else()
    tavlo_link_group(${name} tavlo_fakes tavlo_portable)
  endif()
  target_link_libraries(${name} PRIVATE ${_tavlo_support} GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    TEST_PREFIX "${dir}/"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT ${_tavlo_discovery_timeout})
endfunction()

foreach(_dir IN LISTS _tavlo_test_dirs)
  if(_dir STREQUAL "support" OR _dir STREQUAL "fuzz")
    continue()
  endif()
  if(_dir STREQUAL "win32" AND NOT WIN32)
    continue()
  endif()
  tavlo_test_executable(${_dir} "${_tavlo_test_files_${_dir}}")
endforeach()

# Libraries of Tavlo, filled by glob so that new files need no edit of the build:
#   tavlo_portable  src/**/*.cpp except the Win32 and fake files below (both builds)
#   tavlo_win32     src/**/*_win.cpp, src/runtime/win32/**, src/platform/win32/** (win32 build only)
#   tavlo_fakes     src/platform/fake/** (linked into the tests of both builds)
#   Tavlo           src/main_win.cpp + tavlo_win32 + tavlo_portable + src/resources/*.rc
# A library without sources yet is an INTERFACE library that only carries the include dir.

set(TAVLO_SRC_DIR ${PROJECT_SOURCE_DIR}/src)

file(GLOB_RECURSE _tavlo_all_sources CONFIGURE_DEPENDS ${TAVLO_SRC_DIR}/*.cpp)
set(TAVLO_PORTABLE_SOURCES "")
set(TAVLO_WIN32_SOURCES "")
set(TAVLO_FAKE_SOURCES "")
set(TAVLO_MAIN_SOURCE "")
foreach(_file IN LISTS _tavlo_all_sources)
  file(RELATIVE_PATH _rel ${TAVLO_SRC_DIR} ${_file})
  if(_rel STREQUAL "main_win.cpp")
    set(TAVLO_MAIN_SOURCE ${_file})
  elseif(_rel MATCHES "^platform/fake/")
    list(APPEND TAVLO_FAKE_SOURCES ${_file})
  elseif(_rel MATCHES "_win\\.cpp$" OR _rel MATCHES "^runtime/win32/" OR _rel MATCHES "^platform/win32/")
    list(APPEND TAVLO_WIN32_SOURCES ${_file})
  else()
    list(APPEND TAVLO_PORTABLE_SOURCES ${_file})
  endif()
endforeach()

# Warnings for Tavlo's own code (not for GoogleTest).
function(tavlo_warnings target)
  set(_cc "$<COMPILE_LANGUAGE:C,CXX>")
  target_compile_options(${target} PRIVATE "$<${_cc}:-Wall;-Wextra;-Wno-missing-field-initializers>")
  if(TAVLO_WERROR)
    target_compile_options(${target} PRIVATE "$<${_cc}:-Werror>")
  endif()
endfunction()

# tavlo_library(<name> [sources...]): STATIC when there are sources, INTERFACE otherwise.
function(tavlo_library name)
  if(ARGN)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${TAVLO_SRC_DIR})
    tavlo_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${TAVLO_SRC_DIR})
  endif()
endfunction()

# tavlo_link(<target> <libs...>): public link that works for STATIC and INTERFACE targets.
function(tavlo_link target)
  get_target_property(_type ${target} TYPE)
  if(_type STREQUAL "INTERFACE_LIBRARY")
    target_link_libraries(${target} INTERFACE ${ARGN})
  else()
    target_link_libraries(${target} PUBLIC ${ARGN})
  endif()
endfunction()

# System libraries every part of Tavlo may use.
add_library(tavlo_system INTERFACE)
if(WIN32)
  target_link_libraries(tavlo_system INTERFACE
    user32 gdi32 comctl32 shell32 advapi32 wininet odbc32 msimg32 ole32 uuid version)
else()
  find_library(TAVLO_ODBC_LIBRARY odbc REQUIRED)   # unixODBC
  find_path(TAVLO_ODBC_INCLUDE sql.h REQUIRED)
  target_link_libraries(tavlo_system INTERFACE ${TAVLO_ODBC_LIBRARY})
  target_include_directories(tavlo_system INTERFACE ${TAVLO_ODBC_INCLUDE})
endif()

tavlo_library(tavlo_portable ${TAVLO_PORTABLE_SOURCES})
tavlo_link(tavlo_portable tavlo_system)

tavlo_library(tavlo_fakes ${TAVLO_FAKE_SOURCES})
tavlo_link(tavlo_fakes tavlo_portable)

if(WIN32)
  tavlo_library(tavlo_win32 ${TAVLO_WIN32_SOURCES})
  tavlo_link(tavlo_win32 tavlo_portable)
endif()

# tavlo_link_group(<target> <libs...>): links Tavlo's libraries into an executable.
# Portable code calls platform functions that the Win32 code or the fakes define, so
# the static archives are linked as one group that the linker rescans.
function(tavlo_link_group target)
  set(_archives "")
  foreach(_lib IN LISTS ARGN)
    get_target_property(_type ${_lib} TYPE)
    if(_type STREQUAL "STATIC_LIBRARY")
      list(APPEND _archives ${_lib})
    else()
      target_link_libraries(${target} PRIVATE ${_lib})
    endif()
  endforeach()
  list(LENGTH _archives _count)
  if(_count GREATER 1)
    list(JOIN _archives "," _joined)
    target_link_libraries(${target} PRIVATE "$<LINK_GROUP:RESCAN,${_joined}>")
  else()
    target_link_libraries(${target} PRIVATE ${_archives})
  endif()
  target_link_libraries(${target} PRIVATE tavlo_system)
endfunction()

# The program itself, once src/main_win.cpp exists.
if(WIN32 AND TAVLO_MAIN_SOURCE)
  file(GLOB TAVLO_RESOURCE_SCRIPTS CONFIGURE_DEPENDS ${TAVLO_SRC_DIR}/resources/*.rc)
  add_executable(Tavlo WIN32 ${TAVLO_MAIN_SOURCE} ${TAVLO_RESOURCE_SCRIPTS})
  target_include_directories(Tavlo PRIVATE ${TAVLO_SRC_DIR})
  tavlo_warnings(Tavlo)
  tavlo_link_group(Tavlo tavlo_win32 tavlo_portable)
  # Resource scripts name their files relative to src/ (e.g. "resources/app.manifest");
  # any file in src/resources may be pulled in by one, so each is a dependency.
  file(GLOB _tavlo_resource_files CONFIGURE_DEPENDS ${TAVLO_SRC_DIR}/resources/*)
  list(FILTER _tavlo_resource_files EXCLUDE REGEX "\\.rc$")
  set_property(SOURCE ${TAVLO_RESOURCE_SCRIPTS} APPEND PROPERTY OBJECT_DEPENDS ${_tavlo_resource_files})
endif()

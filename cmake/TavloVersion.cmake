# Reads TAVLO_VERSION (major.minor.revision) from src/resources/version.h,
# the one place where the version numbers live.
set(_tavlo_version_header ${CMAKE_CURRENT_LIST_DIR}/../src/resources/version.h)
file(STRINGS ${_tavlo_version_header} _tavlo_version_lines
     REGEX "^#define TAVLO_VERSION_(MAJOR|MINOR|REVISION) +[0-9]+")
set(TAVLO_VERSION "")
foreach(_part MAJOR MINOR REVISION)
  if(NOT _tavlo_version_lines MATCHES "TAVLO_VERSION_${_part} +([0-9]+)")
    message(FATAL_ERROR "${_tavlo_version_header} lacks TAVLO_VERSION_${_part}")
  endif()
  list(APPEND TAVLO_VERSION ${CMAKE_MATCH_1})
endforeach()
list(JOIN TAVLO_VERSION "." TAVLO_VERSION)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_tavlo_version_header})

# libFuzzer targets, one executable per tests/fuzz/fuzz_*.cpp, built with clang:
#   CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DTAVLO_FUZZ=ON
#   cmake --build build/fuzz --target tavlo_fuzzers
# (tests/fuzz/fuzz-run does both, and runs them.) Tavlo's own libraries get the
# coverage instrumentation and AddressSanitizer + UBSan; every finding aborts.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "TAVLO_FUZZ needs clang (CC=clang CXX=clang++), not ${CMAKE_CXX_COMPILER_ID}")
endif()
if(WIN32 OR TAVLO_SANITIZE)
  message(FATAL_ERROR "TAVLO_FUZZ is a native build of its own, without TAVLO_SANITIZE")
endif()

set(_tavlo_fuzz_flags -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
foreach(_lib tavlo_portable tavlo_fakes)
  get_target_property(_type ${_lib} TYPE)
  if(_type STREQUAL "STATIC_LIBRARY")
    target_compile_options(${_lib} PRIVATE ${_tavlo_fuzz_flags})
  endif()
endforeach()

add_custom_target(tavlo_fuzzers)
file(GLOB _tavlo_fuzzers CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/fuzz_*.cpp)
foreach(_src IN LISTS _tavlo_fuzzers)
  get_filename_component(_name ${_src} NAME_WE)
  add_executable(${_name} EXCLUDE_FROM_ALL ${_src})
  target_include_directories(${_name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${_name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
                         -fno-omit-frame-pointer)
  target_link_options(${_name} PRIVATE -fsanitize=fuzzer,address,undefined)
  tavlo_warnings(${_name})
  tavlo_link_group(${_name} tavlo_fakes tavlo_portable)
  add_dependencies(tavlo_fuzzers ${_name})
endforeach()

# Programs of the scan-speed benchmark (bench/scan-speed), built with the win32
# tree so that every build keeps them compiling: the two reference walks, the
# probe that watches Tavlo.exe from outside, and the drive plug helper.
foreach(_walk bare drain)
  add_executable(bench_walk_${_walk} ${CMAKE_CURRENT_LIST_DIR}/win32/walk_${_walk}.cpp)
  tavlo_warnings(bench_walk_${_walk})
endforeach()
target_link_libraries(bench_walk_drain PRIVATE user32 gdi32)
add_executable(bench_probe ${CMAKE_CURRENT_LIST_DIR}/win32/probe.cpp)
tavlo_warnings(bench_probe)
target_link_libraries(bench_probe PRIVATE user32 psapi)
add_executable(bench_plugdrive ${PROJECT_SOURCE_DIR}/tests/win32/tools/plugdrive.c)

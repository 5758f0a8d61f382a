# Start-up time of moxilo.exe against a minimal Win32 program, under Wine:
#   tools/wine/run.sh <build>/wine <build>/startup_bench.exe [runs]
# or: cmake --build <build> --target run_startup_bench
if(WIN32 AND MOXILO_ARCH STREQUAL "x86_64")
  add_executable(startup_peer WIN32 ${CMAKE_CURRENT_LIST_DIR}/startup_peer_win.cpp)
  target_link_libraries(startup_peer PRIVATE user32)
  moxilo_warnings(startup_peer)

  add_executable(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench_win.cpp)
  target_link_libraries(startup_bench PRIVATE user32)
  moxilo_warnings(startup_bench)
  # Both programs sit next to the benchmark, beside moxilo.exe.
  set_target_properties(startup_peer startup_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  add_dependencies(startup_bench moxilo startup_peer)
  add_custom_target(run_startup_bench
    COMMAND ${PROJECT_SOURCE_DIR}/tools/wine/run.sh ${CMAKE_BINARY_DIR}/wine ${CMAKE_BINARY_DIR}/startup_bench.exe
    DEPENDS startup_bench USES_TERMINAL)
endif()

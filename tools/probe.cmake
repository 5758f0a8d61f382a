# moxilo-probe: a native developer tool over the program's picture code.
if(NOT WIN32)
  add_executable(moxilo-probe ${CMAKE_CURRENT_SOURCE_DIR}/moxilo_probe.cpp)
  target_link_libraries(moxilo-probe PRIVATE avatar_pictures)
  moxilo_warnings(moxilo-probe)
endif()

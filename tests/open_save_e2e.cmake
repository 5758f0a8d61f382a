# The Open and Save end-to-end tests: the driver also runs the file and capture
# code of those commands in its own process, and opens the pictures made by
# tests/fixtures/open_save/make_fixtures.sh.
if(NOT TARGET e2e_tests)
  return()
endif()
target_sources(e2e_tests PRIVATE
  ${PROJECT_SOURCE_DIR}/avatar/file_io_win.cpp
  ${PROJECT_SOURCE_DIR}/avatar/capture_win.cpp
  ${PROJECT_SOURCE_DIR}/avatar/bmp_file_image.cpp)
target_include_directories(e2e_tests PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(e2e_tests PRIVATE
  MOXILO_OPEN_SAVE_FIXTURES="${CMAKE_CURRENT_LIST_DIR}/fixtures/open_save")
target_compile_definitions(e2e_tests PRIVATE
  MOXILO_BADGE_IMAGE="${PROJECT_SOURCE_DIR}/resources/badge.bmp")
# The picture box's own code, for its byte-keeping test.
target_link_libraries(e2e_tests PRIVATE avatar_win)

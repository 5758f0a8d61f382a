# The skin gallery tool (run by tools/skins/make_gallery.sh under Wine).
if(WIN32 AND MOXILO_ARCH STREQUAL "x86_64")
  add_executable(skin_gallery ${CMAKE_CURRENT_SOURCE_DIR}/skin_gallery/skin_gallery_win.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/skin_gallery/sample_window_win.cpp)
  target_include_directories(skin_gallery PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(skin_gallery PRIVATE UNICODE _UNICODE)
  target_link_libraries(skin_gallery PRIVATE user32 gdi32 gdiplus shell32)
  add_dependencies(skin_gallery SkinH_EL)
  moxilo_warnings(skin_gallery)
endif()

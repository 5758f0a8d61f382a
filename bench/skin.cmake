# Skinned against unskinned repaint, run under Wine:
#   tools/wine/run.sh <build>/wine <build>/skin_repaint_bench.exe
if(WIN32 AND MOXILO_ARCH STREQUAL "x86_64")
  add_executable(skin_repaint_bench ${CMAKE_CURRENT_SOURCE_DIR}/skin_repaint_bench_win.cpp
    ${PROJECT_SOURCE_DIR}/tools/skin_gallery/sample_window_win.cpp)
  target_include_directories(skin_repaint_bench PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(skin_repaint_bench PRIVATE UNICODE _UNICODE
    MOXILO_SKINH_DLL="$<TARGET_FILE:SkinH_EL>" MOXILO_SKINS_DIR="${PROJECT_SOURCE_DIR}/resources/skins")
  target_link_libraries(skin_repaint_bench PRIVATE user32 gdi32)
  add_dependencies(skin_repaint_bench SkinH_EL)
  moxilo_warnings(skin_repaint_bench)
endif()

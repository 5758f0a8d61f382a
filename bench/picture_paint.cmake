# The picture box's cost for a 24-megapixel JPEG (open to first paint, repaint)
# against a HALFTONE stretch of the full-size picture, under Wine:
#   tools/wine/run.sh <build>/wine <build>/picture_paint_bench.exe <file.jpg> [open-runs] [repaint-runs]
# or: cmake --build <build> --target run_picture_paint_bench (makes the JPEG with ImageMagick once)
if(WIN32 AND MOXILO_ARCH STREQUAL "x86_64")
  add_executable(picture_paint_bench ${CMAKE_CURRENT_LIST_DIR}/picture_paint_bench_win.cpp)
  target_link_libraries(picture_paint_bench PRIVATE avatar_win user32 gdi32)
  moxilo_warnings(picture_paint_bench)

  set(picture_paint_jpeg ${CMAKE_BINARY_DIR}/bench-data/bench-24mp.jpg)
  add_custom_command(OUTPUT ${picture_paint_jpeg}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bench-data
    COMMAND convert -size 6000x4000 "gradient:#2050a0-#f0c040" -attenuate 0.4 +noise Gaussian -quality 90
            ${picture_paint_jpeg}
    COMMENT "Making a 6000 x 4000 JPEG with ImageMagick" VERBATIM)
  add_custom_target(run_picture_paint_bench
    COMMAND ${PROJECT_SOURCE_DIR}/tools/wine/run.sh ${CMAKE_BINARY_DIR}/wine
            $<TARGET_FILE:picture_paint_bench> ${picture_paint_jpeg}
    DEPENDS picture_paint_bench ${picture_paint_jpeg} USES_TERMINAL VERBATIM)
endif()

# JPEG and GIF decode-and-scale against djpeg, gif2rgb and ImageMagick, with
# peak memory. Run: build/<dir>/bench/jpeg_gif_bench [work-folder]
if(NOT WIN32)
  add_executable(jpeg_gif_bench ${CMAKE_CURRENT_LIST_DIR}/jpeg_gif_bench.cpp)
  target_link_libraries(jpeg_gif_bench PRIVATE avatar_pictures moxilo::gif)
  target_compile_definitions(jpeg_gif_bench PRIVATE MOXILO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  moxilo_warnings(jpeg_gif_bench)
endif()

# BMP and PCX decode-and-scale against ImageMagick and netpbm, with peak memory.
# Run: build/<dir>/bench/pictures_bench [work-folder]
if(NOT WIN32)
  add_executable(pictures_bench ${CMAKE_CURRENT_LIST_DIR}/pictures_bench.cpp)
  target_link_libraries(pictures_bench PRIVATE avatar_pictures)
  target_compile_definitions(pictures_bench PRIVATE MOXILO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  moxilo_warnings(pictures_bench)
endif()

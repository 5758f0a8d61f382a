# Picture fuzzers: every fuzz/picture_<name>_fuzzer.cpp becomes the libFuzzer
# program picture_<name>_fuzzer, over an avatar_pictures built with coverage,
# ASan and UBSan. Run one: build/<dir>/fuzz/picture_bmp_fuzzer -max_total_time=600 CORPUS
set(picture_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
target_compile_options(avatar_pictures PRIVATE ${picture_sanitizers} -fsanitize=fuzzer-no-link)

file(GLOB picture_fuzzers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/picture_*_fuzzer.cpp)
foreach(source ${picture_fuzzers})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE avatar_pictures)
  target_compile_options(${name} PRIVATE ${picture_sanitizers} -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE ${picture_sanitizers} -fsanitize=fuzzer)
  moxilo_warnings(${name})
endforeach()

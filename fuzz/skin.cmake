# libFuzzer target for the skin format parser. Seeds: resources/skins/*.she.
add_executable(skin_format_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/skin_format_fuzzer.cpp)
target_link_libraries(skin_format_fuzzer PRIVATE skinh_format)
target_compile_options(skin_format_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(skin_format_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
moxilo_warnings(skin_format_fuzzer)

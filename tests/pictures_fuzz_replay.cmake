# Short smoke runs of every picture fuzzer (fuzz/picture_*_fuzzer.cpp) in the
# native tests: each replays the fixed crashers and the generated corpus.
if(NOT WIN32)
  file(GLOB picture_fuzzers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/picture_*_fuzzer.cpp)
  set(picture_crashers)
  if(EXISTS ${PROJECT_SOURCE_DIR}/fuzz/crashers)
    set(picture_crashers ${PROJECT_SOURCE_DIR}/fuzz/crashers)
  endif()
  foreach(source ${picture_fuzzers})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name}_replay ${source} ${PROJECT_SOURCE_DIR}/fuzz/fuzz_replay_main.cpp)
    target_link_libraries(${name}_replay PRIVATE avatar_pictures)
    moxilo_warnings(${name}_replay)
    add_test(NAME fuzz_replay.${name}
      COMMAND ${name}_replay ${picture_crashers} ${CMAKE_BINARY_DIR}/picture-corpus)
    set_tests_properties(fuzz_replay.${name} PROPERTIES FIXTURES_REQUIRED picture_corpus TIMEOUT 120)
  endforeach()
endif()

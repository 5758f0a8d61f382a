# The generated picture corpus (a fixture shared by the reference test and the
# fuzzer replays) and the differential test against ImageMagick and netpbm.
if(NOT WIN32)
  set(picture_corpus ${CMAKE_BINARY_DIR}/picture-corpus)
  add_test(NAME pictures.corpus
    COMMAND ${PROJECT_SOURCE_DIR}/tools/make_picture_corpus.sh ${picture_corpus})
  set_tests_properties(pictures.corpus PROPERTIES FIXTURES_SETUP picture_corpus TIMEOUT 300)
  add_test(NAME pictures.reference
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/pictures_reference.sh $<TARGET_FILE:moxilo-probe> ${picture_corpus})
  set_tests_properties(pictures.reference PROPERTIES FIXTURES_REQUIRED picture_corpus TIMEOUT 600)
endif()

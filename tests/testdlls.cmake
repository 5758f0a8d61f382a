# Small test engines that stand in for SkinH_EL.dll in the end-to-end tests.
# Built next to moxilo.exe and e2e_tests.exe; a test copies one into the
# program's fresh folder as SkinH_EL.dll.
if(NOT WIN32)
  return()
endif()

function(moxilo_test_engine name)
  add_library(${name} SHARED ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  moxilo_warnings(${name})
  # The .def lists the undecorated names; on i686 the stdcall symbols carry an
  # @n suffix that the fixup resolves and --kill-at keeps out of the exports.
  target_link_options(${name} PRIVATE -Wl,--kill-at -Wl,--enable-stdcall-fixup
    -Wl,--nxcompat -Wl,--dynamicbase)
endfunction()

set(testdlls ${CMAKE_CURRENT_LIST_DIR}/testdlls)
moxilo_test_engine(test_engine_recording ${testdlls}/recording_engine.cpp ${testdlls}/recording_engine.def)
moxilo_test_engine(test_engine_no_aero ${testdlls}/no_aero_engine.cpp ${testdlls}/no_aero_engine.def)
if(MOXILO_ARCH STREQUAL "i686")
  # Runs only on a 32-bit Windows (this kernel executes no 32-bit code), so it is
  # compiled here and not used by a test.
  moxilo_test_engine(test_engine_cdecl ${testdlls}/cdecl_engine.cpp ${testdlls}/cdecl_engine.def)
  # What that engine is for: both entries leave their arguments behind (a plain
  # `ret`), where the engine checker wants the callee-cleaned `ret $n`.
  add_test(NAME static.test_engine_cdecl_leaves_arguments
    COMMAND ${PROJECT_SOURCE_DIR}/tools/check_engine_exports.sh $<TARGET_FILE:test_engine_cdecl>)
  set_tests_properties(static.test_engine_cdecl_leaves_arguments PROPERTIES PASS_REGULAR_EXPRESSION
    "SkinH_AttachRes returns with 'ret', want[^\n]*\n[^\n]*SkinH_SetAero returns with 'ret', want")
endif()
# The stand-in engines have the real engine's binary contract.
add_test(NAME static.test_engines_contract COMMAND ${PROJECT_SOURCE_DIR}/tools/check_engine_exports.sh
  $<TARGET_FILE:test_engine_recording>)

if(TARGET e2e_tests)
  add_dependencies(e2e_tests test_engine_recording test_engine_no_aero SkinH_EL)
  # The skin tests compare with the built engine and the skin sources.
  target_compile_definitions(e2e_tests PRIVATE
    MOXILO_SKIN_ENGINE_DLL="$<TARGET_FILE:SkinH_EL>"
    MOXILO_SKINS_DIR="${PROJECT_SOURCE_DIR}/resources/skins")
endif()

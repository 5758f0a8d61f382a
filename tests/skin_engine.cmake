# Checks of the skin engine SkinH_EL.dll.
if(WIN32)
  # Static: exports, machine, imports, and on i686 the callee-cleaned stack.
  add_test(NAME skin_engine_exports
    COMMAND ${PROJECT_SOURCE_DIR}/tools/check_engine_exports.sh $<TARGET_FILE:SkinH_EL>)
endif()
if(TARGET e2e_tests)
  # The engine's contract, checked in the driver's own process (no moxilo.exe).
  add_dependencies(e2e_tests SkinH_EL)
  target_compile_definitions(e2e_tests PRIVATE
    MOXILO_SKINH_DLL="$<TARGET_FILE:SkinH_EL>" MOXILO_SKINS_DIR="${PROJECT_SOURCE_DIR}/resources/skins")
endif()
if(NOT WIN32)
  # The committed skins are exactly what the generator makes of its table.
  add_test(NAME skin_files_up_to_date COMMAND python3 ${PROJECT_SOURCE_DIR}/tools/skins/make_skins.py --check)
endif()

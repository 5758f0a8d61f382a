# The built program is a PE file of the target's machine that needs nothing but
# system DLLs.
if(WIN32)
  if(MOXILO_ARCH STREQUAL "i686")
    set(pe_machine i386)
  else()
    set(pe_machine x86-64)
  endif()
  add_test(NAME static.moxilo_pe COMMAND ${PROJECT_SOURCE_DIR}/tools/check_pe.sh
    $<TARGET_FILE:moxilo> ${pe_machine})
endif()

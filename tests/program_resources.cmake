# The driver reads moxilo.exe's icon and version resources.
if(TARGET e2e_tests)
  target_link_libraries(e2e_tests PRIVATE version)
  target_include_directories(e2e_tests PRIVATE ${PROJECT_SOURCE_DIR})
endif()

# skins.rc embeds the engine library built by this build (target SkinH_EL, so
# the program's own architecture) and the 33 skins of resources/skins/.
# windres reports no dependencies on the files that it embeds, so they are
# listed here; the engine goes through a copy whose path is known now, because
# OBJECT_DEPENDS takes no generator expressions.
set(engine_image ${CMAKE_CURRENT_BINARY_DIR}/skin_engine_image.dll)
add_custom_command(OUTPUT ${engine_image}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:SkinH_EL> ${engine_image}
  DEPENDS SkinH_EL
  COMMENT "Skin engine image for the program's resources")
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/skin_engine_image_path.h
  CONTENT "#define MOXILO_SKIN_ENGINE_IMAGE_FILE \"${engine_image}\"\n")
target_include_directories(moxilo_resources PRIVATE ${PROJECT_SOURCE_DIR})
file(GLOB skin_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/skins/*.she)
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/skins.rc PROPERTIES OBJECT_DEPENDS
  "${engine_image};${skin_files};${PROJECT_SOURCE_DIR}/skin/skin_resource_ids.h")

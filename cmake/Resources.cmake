# windres does not report what a resource script includes: this tells the
# build that Kelvandor.rc depends on every resource file, in the directory
# that compiles it.
function(kelvandor_resource_dependencies)
  file(GLOB inputs CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/resources/*.rc ${PROJECT_SOURCE_DIR}/resources/*.h
       ${PROJECT_SOURCE_DIR}/resources/*.manifest ${PROJECT_SOURCE_DIR}/resources/*.bin
       ${PROJECT_SOURCE_DIR}/resources/icons/*.ico
       ${PROJECT_SOURCE_DIR}/resources/bitmaps/*.bmp ${PROJECT_SOURCE_DIR}/resources/sounds/*.wav)
  set_source_files_properties(${PROJECT_SOURCE_DIR}/resources/Kelvandor.rc PROPERTIES OBJECT_DEPENDS "${inputs}")
endfunction()

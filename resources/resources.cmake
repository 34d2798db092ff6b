# The program's resources: one .rc that includes a fragment per kind of
# resource. Fragments that need the service's address are generated from
# templates into the build's generated folder.
set(NMZAV_RESOURCE_FILES ${CMAKE_SOURCE_DIR}/resources/nmzav.rc)
file(GLOB NMZAV_RESOURCE_DEPENDS CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/*.rc ${CMAKE_SOURCE_DIR}/resources/*.h
  ${CMAKE_SOURCE_DIR}/resources/*.xml
  ${CMAKE_SOURCE_DIR}/resources/art/*)
set_source_files_properties(${NMZAV_RESOURCE_FILES} PROPERTIES
  OBJECT_DEPENDS "${NMZAV_RESOURCE_DEPENDS}")
add_custom_target(nmzav_resources)
foreach(fragment IN ITEMS content)
  if(EXISTS ${CMAKE_SOURCE_DIR}/resources/${fragment}/${fragment}.cmake)
    include(${CMAKE_SOURCE_DIR}/resources/${fragment}/${fragment}.cmake)
  endif()
endforeach()

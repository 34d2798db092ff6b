# Tests of the carried files that run in script engines: the context-menu
# pages in Wine's cscript, the start page's script in Node.
foreach(page IN ITEMS zavact zavdeact zavolnw)
  add_test(NAME resources_vbscript_${page}
    COMMAND ${CMAKE_COMMAND} -DPAGE=${GENERATED_DIR}/content/${page}.htm
      -DCASES=${CMAKE_CURRENT_LIST_DIR}/vbscript/${page}.vbs
      -DHOST=${NIMBRELLA_HOST} -DWORK=${CMAKE_BINARY_DIR}/tests/vbscript
      -DWINE=${CMAKE_CROSSCOMPILING_EMULATOR}
      -P ${CMAKE_CURRENT_LIST_DIR}/run-vbscript.cmake)
  set_tests_properties(resources_vbscript_${page} PROPERTIES TIMEOUT 120)
endforeach()

add_test(NAME resources_startpage
  COMMAND node ${CMAKE_CURRENT_LIST_DIR}/startpage.test.js
    ${GENERATED_DIR}/content/startnm.htm ${NIMBRELLA_HOST})
set_tests_properties(resources_startpage PROPERTIES TIMEOUT 60)

# The pictures in resources/art are what tools/art.py draws today.
add_test(NAME resources_art_up_to_date
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/art.py check)

# The resource tests compare each carried resource with the file it is built
# from, found through the drive Wine maps to the root of this machine.
if(TARGET resources_tests)
  string(REPLACE "/" "\\\\" art_dir "Z:${CMAKE_SOURCE_DIR}/resources/art")
  string(REPLACE "/" "\\\\" content_dir "Z:${GENERATED_DIR}/content")
  target_compile_definitions(resources_tests PRIVATE
    NMZAV_ART_DIR="${art_dir}" NMZAV_CONTENT_DIR="${content_dir}")
endif()

# Every test executable carries the program's resources: its resource script
# is compiled again when a picture or a page changes, as the program's is.
set_property(SOURCE ${NMZAV_RESOURCE_FILES} APPEND PROPERTY OBJECT_DEPENDS
  ${NMZAV_RESOURCE_DEPENDS} ${CONTENT_FILES})

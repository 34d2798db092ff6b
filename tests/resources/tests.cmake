# Tests of the carried files that run in script engines: the context-menu
# pages in Wine's cscript, the start page's script in Node.
foreach(page IN ITEMS zavact zavdeact zavolnw)
  add_test(NAME resources_vbscript_${page}
    COMMAND ${CMAKE_COMMAND} -DPAGE=${GENERATED_DIR}/content/${page}.htm
      -DCASES=${CMAKE_CURRENT_LIST_DIR}/vbscript/${page}.vbs
      -DHOST=${NIMBRELLA_HOST} -DWORK=${CMAKE_BINARY_DIR}/tests/vbscript
      -P ${CMAKE_CURRENT_LIST_DIR}/run-vbscript.cmake)
  set_tests_properties(resources_vbscript_${page} PROPERTIES TIMEOUT 120)
endforeach()

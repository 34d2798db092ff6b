add_test(NAME executable COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-executable.sh ${CMAKE_BINARY_DIR}/NMZAV.EXE)

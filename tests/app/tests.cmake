add_test(NAME executable COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-executable.sh ${NMZAV_SHIPPED_BUILD}/NMZAV.EXE)

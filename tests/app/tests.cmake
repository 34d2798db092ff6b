# The 32-bit page guard depends on the code the compiler makes of it (which
# registers its exception handler keeps across RtlUnwind), so the suite that
# tests it links the library as NMZAV.EXE does: optimised as a whole, with the
# same options.
if(NMZAV_LTO)
  target_link_options(app_tests PRIVATE ${NMZAV_LINK_CODE_OPTIONS})
endif()

add_test(NAME executable COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-executable.sh ${NMZAV_SHIPPED_BUILD}/NMZAV.EXE)

# In a test build for x86_64: the page guard of the shipped 32-bit build is
# code of its own, so its tests run with the 32-bit build's suite as well.
if(NOT NMZAV_SHIPPED_BUILD STREQUAL CMAKE_BINARY_DIR)
  add_test(NAME page_guard_i686
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-i686.sh ${NMZAV_SHIPPED_BUILD}/tests/app_tests.exe
                   --gtest_filter=PageLoop.* --gtest_brief=1
           WORKING_DIRECTORY ${NMZAV_SHIPPED_BUILD}/tests)
  set_tests_properties(page_guard_i686 PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77)
endif()
add_test(NAME signed COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-signed.sh ${NMZAV_SHIPPED_BUILD}/NMZAV.EXE)

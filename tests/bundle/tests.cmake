# The Windows bundle (scripts/bundle): its runner RUNTESTS.EXE beside
# NMZAV.EXE, the runner's own tests, and the test `bundle`, which runs the
# bundle in a Wine prefix without the host's drive as a person would on
# Windows.
file(GLOB RUNNER_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/runner/*.cpp)
add_executable(RUNTESTS ${RUNNER_SOURCES})
target_compile_options(RUNTESTS PRIVATE -fno-exceptions -fno-rtti)
target_link_libraries(RUNTESTS PRIVATE nmzav)
target_link_options(RUNTESTS PRIVATE -static -s)
set_target_properties(RUNTESTS PROPERTIES OUTPUT_NAME RUNTESTS SUFFIX .EXE
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

set(runner_parts ${RUNNER_SOURCES})
list(FILTER runner_parts EXCLUDE REGEX "/RunTests\\.cpp$")
add_executable(runner_tests ${CMAKE_CURRENT_LIST_DIR}/RunnerTest.cpp ${runner_parts})
target_include_directories(runner_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/runner)
target_link_libraries(runner_tests PRIVATE nmzav_test_support gtest_main)
target_link_options(runner_tests PRIVATE -static)
set_target_properties(runner_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_test(NAME runner COMMAND runner_tests --gtest_brief=1)
set_tests_properties(runner PROPERTIES TIMEOUT 60)

# Run in the i686 build only: the bundle is made of the shipped build's
# suites, which a test build for x86_64 does not build.
add_test(NAME bundle COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-bundle.sh ${NMZAV_SHIPPED_BUILD}
                             ${CMAKE_BINARY_DIR})
set_tests_properties(bundle PROPERTIES TIMEOUT 600 RESOURCE_LOCK display SKIP_RETURN_CODE 77)

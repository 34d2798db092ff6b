# The acceptance driver: a program of its own that drives build/NMZAV.EXE as a
# person would. Each run gets a fresh Wine prefix through run-fresh.sh.
file(GLOB ACCEPTANCE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_executable(acceptance ${ACCEPTANCE_SOURCES} ${STARTS_ON_XP})
target_link_libraries(acceptance PRIVATE nmzav_test_support gtest_main)
target_link_options(acceptance PRIVATE -static)
set_target_properties(acceptance PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(acceptance NMZAV)
# What a run changes on a Windows machine, for the bundle (tests/bundle).
set(ACCEPTANCE_CHANGES "installs Nimbrella ZAV with NMZAV.EXE (copied to C:\\Downloads first) \
into C:\\Program Files\\NimbrellaZAV and other folders, switches the browser's address prefixes \
and its HTTP 1.1 settings, writes the program's keys under HKLM and HKCU, makes its links on the \
desktop and in the Start Menu, and uninstalls it again")
foreach(run IN ITEMS Run1DefaultsAllTheWay Run2OptionsSwitchBothOff Run3UninstallLeavesNothing
        Run4NoIconsAccentedFolderAndRepeat Run5FailedInstallThenAgain Run6ForeignPrefixUntouched
        Run7UsersOwnFileSurvives Run8FailedRunKeepsTheEarlierInstallation Run9CodePage932Folder
        Run10ReadOnlySource Run11CutReinstallsAreTakenBack)
  add_test(NAME acceptance.${run}
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-fresh.sh ${CMAKE_BINARY_DIR} Acceptance.${run} ${run})
  set_tests_properties(acceptance.${run} PROPERTIES TIMEOUT 600 RESOURCE_LOCK display)
  nmzav_bundle_suite(acceptance acceptance.${run} acceptance.exe --gtest_filter=Acceptance.${run}
    "${ACCEPTANCE_CHANGES}")
endforeach()
# Run 9 runs on the Japanese ANSI code page, which Wine takes from the locale;
# elsewhere it skips itself, which here would hide a locale that went missing.
set_tests_properties(acceptance.Run9CodePage932Folder PROPERTIES ENVIRONMENT NMZAV_LOCALE=ja_JP
  FAIL_REGULAR_EXPRESSION "\\[  SKIPPED \\]")

# In a test build for x86_64: the shipped 32-bit NMZAV.EXE walks the whole road
# with the 32-bit driver, natively or under emulation; skipped where 32-bit
# programs cannot run at all.
if(NOT NMZAV_SHIPPED_BUILD STREQUAL CMAKE_BINARY_DIR)
  add_test(NAME road_i686 COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-road.sh ${NMZAV_SHIPPED_BUILD})
  set_tests_properties(road_i686 PROPERTIES TIMEOUT 600 RESOURCE_LOCK display SKIP_RETURN_CODE 77)
endif()

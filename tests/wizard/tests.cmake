# `ctest -R wizard_render` draws the seven dialogs into build/dialogs/*.png.
add_test(NAME wizard_render
         COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/render.sh ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:wizard_tests>
                 ${CMAKE_BINARY_DIR}/dialogs
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
set_tests_properties(wizard_render PROPERTIES TIMEOUT 300)

# Runs one context-menu page in the real VBScript engine (cscript under Wine):
# the page's script text, unchanged, between the browser stand-ins with the
# cases (CASES) and the driver that calls the page once per case.
#   cmake -DPAGE=<page.htm> -DCASES=<cases.vbs> -DHOST=<service host>
#         -DWORK=<scratch folder> -DWINE=<Wine loader> -P run-vbscript.cmake
set(NIMBRELLA_HOST ${HOST})
set(NIMBRELLA_BASE "http://${HOST}")
get_filename_component(here ${CMAKE_CURRENT_LIST_FILE} DIRECTORY)

file(READ ${PAGE} page)
string(REGEX MATCH "^<script language=\"VBScript\">\n(.*)</script>\n$" whole "${page}")
if(NOT whole)
  message(FATAL_ERROR "${PAGE} is not one VBScript script element and nothing else")
endif()
set(PAGE_SCRIPT "${CMAKE_MATCH_1}")

file(READ ${here}/vbscript/browser.vbs browser)
file(READ ${CASES} cases)
string(CONFIGURE "${cases}" cases @ONLY)
file(READ ${here}/vbscript/driver.vbs driver)
string(CONFIGURE "${driver}" driver @ONLY)

get_filename_component(name ${CASES} NAME)
file(MAKE_DIRECTORY ${WORK})
set(script ${WORK}/${name})
file(WRITE ${script} "${browser}\n${cases}\n${driver}")

string(REPLACE "/" "\\" windows_script "Z:${script}")
execute_process(COMMAND ${WINE} cscript.exe //nologo ${windows_script}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
message("${output}${errors}")
if(NOT result EQUAL 0 OR NOT output MATCHES "all [0-9]+ cases passed")
  message(FATAL_ERROR "${name} failed (exit code ${result})")
endif()

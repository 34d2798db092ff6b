# The pages NMZAV.EXE carries and installs, made from the templates beside
# this file with the service's address filled in, as plain ASCII with CR LF
# line ends, into ${GENERATED_DIR}/content where resources/content.rc finds
# them. Shared script routines are written once and placed into each page.
# What only a reader of the templates needs stays out of the pages: the
# indentation, blank lines and whole-line comments of the scripts.
set(CONTENT_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})
set(CONTENT_OUTPUT_DIR ${GENERATED_DIR}/content)
set(NIMBRELLA_BASE "http://${NIMBRELLA_HOST}")

foreach(fragment IN ITEMS service-test refusal page-location)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${CONTENT_SOURCE_DIR}/${fragment}.vbs.in)
  file(READ ${CONTENT_SOURCE_DIR}/${fragment}.vbs.in text)
  string(CONFIGURE "${text}" text @ONLY)
  string(TOUPPER ${fragment} name)
  string(REPLACE "-" "_" name ${name})
  set(${name} "${text}")
endforeach()

# Written only when the text changes, so that an unchanged page does not make
# the resources compile again.
set(CONTENT_PAGES startnm.htm zavdeact.htm zavolnw.htm license.htm readme.htm zavact.htm)
set(CONTENT_FILES)
foreach(page IN LISTS CONTENT_PAGES)
  set(template ${CONTENT_SOURCE_DIR}/${page}.in)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${template})
  file(READ ${template} text)
  string(CONFIGURE "${text}" text @ONLY)
  string(REPLACE "\r\n" "\n" text "${text}")
  # Leading blanks, then lines that are a VBScript (') or JavaScript (// )
  # comment alone, then the blank lines. "//-->" ends the comment that hides
  # a script from browsers without scripts, and stays.
  string(REGEX REPLACE "\n[ \t]+" "\n" text "\n${text}")
  string(REGEX REPLACE "\n(' |// )[^\n]*" "\n" text "${text}")
  string(REGEX REPLACE "\n\n+" "\n" text "${text}")
  string(REGEX REPLACE "^\n" "" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${CONTENT_OUTPUT_DIR}/${page}.new "${text}")
  file(COPY_FILE ${CONTENT_OUTPUT_DIR}/${page}.new ${CONTENT_OUTPUT_DIR}/${page} ONLY_IF_DIFFERENT)
  file(REMOVE ${CONTENT_OUTPUT_DIR}/${page}.new)
  list(APPEND CONTENT_FILES ${CONTENT_OUTPUT_DIR}/${page})
endforeach()

# The resource script is compiled again whenever a page changes.
set_property(SOURCE ${NMZAV_RESOURCE_FILES} APPEND PROPERTY OBJECT_DEPENDS ${CONTENT_FILES})

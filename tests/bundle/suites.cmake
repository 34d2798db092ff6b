# The list of suites that the Windows bundle's runner runs (tests/bundle),
# written into tests/SUITES.TXT of the build: one line a suite with its kind,
# name, program, arguments, and what it changes on a machine beyond scratch
# registry keys and the temporary folder (see runner/Suites.h). Each suite is
# added where CTest learns of it.
function(nmzav_bundle_suite kind name program arguments changes)
  set_property(GLOBAL APPEND PROPERTY NMZAV_BUNDLE_SUITES
    "${kind}\t${name}\t${program}\t${arguments}\t${changes}")
endfunction()

# What each unit suite writes outside scratch keys and the temporary folder,
# all of it removed again when the suite ends. A suite that writes there runs
# in the bundle as an acceptance run does: only on a disposable machine, and
# only where nothing of the program is installed. Empty: nothing.
set(scratch_folders "folders under C:\\nmzav-tests")
set(NMZAV_CHANGES_app "${scratch_folders}")
set(NMZAV_CHANGES_options "${scratch_folders}")
set(NMZAV_CHANGES_resources "${scratch_folders}")
set(NMZAV_CHANGES_wizard "${scratch_folders}")
set(NMZAV_CHANGES_install "${scratch_folders} and C:\\nmzav-nest-*, and the program's link on \
the desktop (Nimbrella ZAV.lnk)")
set(NMZAV_CHANGES_uninstall "${scratch_folders}, the program's desktop link and its Start Menu \
folder in the common Programs folder, and NMZAV.EXE /U run on the machine's own registry")

# Adds the unit suite of tests/NAME, whose program is TARGET.exe.
function(nmzav_bundle_unit_suite name target)
  if(NOT DEFINED NMZAV_CHANGES_${name})
    message(FATAL_ERROR "tests/bundle/suites.cmake says nothing of what the suite ${name} "
      "changes on a machine beyond scratch keys and the temporary folder")
  endif()
  nmzav_bundle_suite(unit ${name} ${target}.exe "" "${NMZAV_CHANGES_${name}}")
endfunction()

# Writes the list once every suite has been added.
function(nmzav_write_bundle_suites)
  get_property(suites GLOBAL PROPERTY NMZAV_BUNDLE_SUITES)
  list(JOIN suites "\n" text)
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/tests/SUITES.TXT CONTENT "${text}\n")
endfunction()

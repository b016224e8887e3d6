# cmake -P validate.cmake, run in packaging/: checks the desktop-integration files with
# whichever validators were found. Any error or warning fails; a missing validator is
# skipped, and the test counts as skipped when none was found.
set(_ran 0)
set(_failed 0)

# check(TOOL_VAR COMPLAINT command args...): output matching the COMPLAINT regex fails (the
# validators that talk on success mark errors and warnings); with "" any output fails.
function(check tool complaint_re)
  if(NOT ${tool})
    message(STATUS "skipped: ${tool} not found")
    return()
  endif()
  execute_process(COMMAND ${${tool}} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  math(EXPR n "${_ran} + 1")
  set(_ran ${n} PARENT_SCOPE)
  if(complaint_re)
    string(REGEX MATCH "${complaint_re}" complaint "${out}")
  else()
    string(STRIP "${out}" complaint)
  endif()
  if(NOT rc EQUAL 0 OR complaint)
    message("FAILED: ${ARGN} (exit ${rc})\n${out}")
    set(_failed 1 PARENT_SCOPE)
  else()
    message(STATUS "ok: ${ARGN}")
  endif()
endfunction()

check(DESKTOP_FILE_VALIDATE ": (error|warning): " org.example.korvel.Korvel.desktop)
check(APPSTREAMCLI "(^|\n)[EW]: " validate --no-net org.example.korvel.Korvel.metainfo.xml)
check(XMLLINT "" --noout korvel.xml)
foreach(page korvel.1 korvel-sparam.1)
  check(GROFF "" -man -Tutf8 -ww -z ${page})
endforeach()

if(_failed)
  message(FATAL_ERROR "packaging files do not validate")
elseif(_ran EQUAL 0)
  # The test's SKIP_REGULAR_EXPRESSION.
  message("no validator installed")
endif()

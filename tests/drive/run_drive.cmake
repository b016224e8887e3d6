# Runs one drive script against the real program and compares what it prints, line by line,
# with the expected output. A script whose expected output ends in an error must end with
# exit status 2, any other with 0.
#   cmake -DKORVEL=<program> -DSCRIPT=<x.drive> -DEXPECTED=<x.expected> -DWORKDIR=<dir> -P run_drive.cmake
file(MAKE_DIRECTORY "${WORKDIR}")
execute_process(COMMAND "${KORVEL}" --drive "${SCRIPT}"
                WORKING_DIRECTORY "${WORKDIR}"
                OUTPUT_VARIABLE actual
                ERROR_VARIABLE diagnostics
                RESULT_VARIABLE status
                TIMEOUT 60)
get_filename_component(name "${SCRIPT}" NAME_WE)
# Folders the program names (a data set's folder) are those of this build: written as
# <out> and <bin>, the expected output holds on any machine.
get_filename_component(bindir "${KORVEL}" DIRECTORY)
string(REPLACE "${WORKDIR}" "<out>" actual "${actual}")
string(REPLACE "${bindir}" "<bin>" actual "${actual}")
file(WRITE "${WORKDIR}/${name}.actual" "${actual}")
file(READ "${EXPECTED}" expected)

set(want_status 0)
if(expected MATCHES "{\"error\":")
  set(want_status 2)
endif()

if(NOT actual STREQUAL expected)
  find_program(DIFF diff)
  set(report "")
  if(DIFF)
    execute_process(COMMAND "${DIFF}" -u "${EXPECTED}" "${WORKDIR}/${name}.actual" OUTPUT_VARIABLE report)
  else()
    set(report "expected:\n${expected}\nactual:\n${actual}")
  endif()
  message(FATAL_ERROR "${name}: output differs (full output in ${WORKDIR}/${name}.actual)\n${report}")
endif()
if(NOT status EQUAL want_status)
  message(FATAL_ERROR "${name}: exit status ${status}, expected ${want_status}\n${diagnostics}")
endif()

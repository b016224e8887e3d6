# cmake -DBUILD=<build tree> -DWORK=<scratch> -DSOURCE=<consumer> -DGENERATOR=<g> -DCOMPILER=<c++>
#       -DTOUCHSTONE=<file.s2p> [-DSANITIZE=ON] [-DPYTHON=<python3>] -P run_consumer.cmake
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command} failed (${status}):\n${out}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})

# Only the public headers may be installed: a window or Qt header there would leak into
# every consumer's include path.
file(GLOB_RECURSE headers RELATIVE ${prefix}/include ${prefix}/include/*)
foreach(h IN LISTS headers)
  if(NOT h MATCHES "^korvel/(core|lines|active|signal|tools|sparam)/[a-z0-9_]+\\.h$")
    message(FATAL_ERROR "installed header outside the public set: ${h}")
  endif()
  file(STRINGS ${prefix}/include/${h} qt REGEX "#include <Q")
  if(qt)
    message(FATAL_ERROR "${h} includes Qt: ${qt}")
  endif()
endforeach()

# The library folder is lib, or lib/<multiarch> for a /usr build.
file(GLOB_RECURSE pc ${prefix}/korvel-core.pc)
get_filename_component(pc_dir "${pc}" DIRECTORY)
# Libraries built with the sanitizers need their run-time in the program that links them.
set(flags "")
if(SANITIZE)
  set(flags -DCMAKE_CXX_FLAGS=-fsanitize=address,undefined)
endif()
run(${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/build -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${COMPILER}
    -DCMAKE_PREFIX_PATH=${prefix} -DKORVEL_PKGCONFIG_DIR=${pc_dir} ${flags})
run(${CMAKE_COMMAND} --build ${WORK}/build)
file(GLOB programs ${WORK}/build/consumer_*)
list(LENGTH programs count)
if(count LESS 1)
  message(FATAL_ERROR "no consumer program was built")
endif()
foreach(program IN LISTS programs)
  run(${program} ${TOUCHSTONE})
  message(STATUS "${program}: ${out}")
endforeach()

# The Python package, where it was built: imported from the installed tree alone.
if(PYTHON)
  file(GLOB_RECURSE init ${prefix}/__init__.py)
  list(FILTER init INCLUDE REGEX "/korvel/__init__\\.py$")
  if(NOT init)
    message(FATAL_ERROR "the korvel Python package was not installed")
  endif()
  get_filename_component(package_dir "${init}" DIRECTORY)
  get_filename_component(site_dir "${package_dir}" DIRECTORY)
  run(${CMAKE_COMMAND} -E env PYTHONPATH=${site_dir} ${PYTHON} -c
      "import korvel, sys\nassert korvel.__file__.startswith(sys.argv[1])\nprint(round(korvel.sparam.load(sys.argv[2]).quantity('MSG')[0], 3))"
      ${site_dir} ${TOUCHSTONE})
  message(STATUS "python: ${out}")
endif()

# What `cmake --install` puts where, and how CPack makes Debian packages of it.
#
#   bin/korvel, bin/korvel-sparam          the programs
#   share/korvel/                          sounds, pictures, help, guide and examples
#   share/applications, icons, metainfo,   desktop integration (packaging/)
#   mime, man
#   include/korvel/<family>/               the formula libraries' public headers
#   lib/libkorvel_<family>.a               the formula libraries
#   lib/cmake/Korvel/                      find_package(Korvel): Korvel::core, Korvel::lines...
#   lib/pkgconfig/korvel-<family>.pc       the same for pkg-config
include(CMakePackageConfigHelpers)

# ---- The programs and their files ----
install(TARGETS korvel-sparam RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
if(KORVEL_GUI)
  install(TARGETS korvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/files/ DESTINATION ${KORVEL_DATA_DIR} COMPONENT runtime)
endif()

# ---- The formula libraries ----
get_property(_libraries GLOBAL PROPERTY KORVEL_LIBRARIES)
set(_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Korvel)
install(TARGETS ${_libraries} EXPORT KorvelTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(EXPORT KorvelTargets NAMESPACE Korvel:: DESTINATION ${_cmake_dir} COMPONENT development)
file(WRITE ${PROJECT_BINARY_DIR}/KorvelConfig.cmake
  "# Korvel's formula libraries: Korvel::core and one target per calculator family.\n"
  "include(CMakeFindDependencyMacro)\n"
  "find_dependency(Threads)\n"
  "include(\${CMAKE_CURRENT_LIST_DIR}/KorvelTargets.cmake)\n")
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KorvelConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KorvelConfig.cmake ${PROJECT_BINARY_DIR}/KorvelConfigVersion.cmake
        DESTINATION ${_cmake_dir} COMPONENT development)

# pkg-config: one file per library; each family requires the core. The libraries are static,
# so the core's threads go in its public flags. The prefix is found from the file's own place,
# so that a package built for /usr and a tree installed elsewhere both point at themselves.
file(RELATIVE_PATH _pc_to_prefix /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
foreach(_lib IN LISTS _libraries)
  string(REPLACE "korvel_" "" _family ${_lib})
  if(_family STREQUAL "core")
    set(_requires "")
    set(_extra_libs " -pthread")
  else()
    set(_requires "Requires: korvel-core = ${PROJECT_VERSION}\n")
    set(_extra_libs "")
  endif()
  file(WRITE ${PROJECT_BINARY_DIR}/pkgconfig/korvel-${_family}.pc
    "prefix=\${pcfiledir}/${_pc_to_prefix}\n"
    "includedir=\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}\n"
    "libdir=\${prefix}/${CMAKE_INSTALL_LIBDIR}\n"
    "\n"
    "Name: korvel-${_family}\n"
    "Description: Korvel RF design formulas: ${_family}\n"
    "Version: ${PROJECT_VERSION}\n"
    "${_requires}"
    "Cflags: -I\${includedir} -I\${includedir}/korvel\n"
    "Libs: -L\${libdir} -l${_lib}${_extra_libs}\n")
  install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/korvel-${_family}.pc
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)
endforeach()

# ---- Debian packages: korvel (the programs), korvel-dev (the libraries) and python3-korvel ----
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvel)
set(CPACK_PACKAGE_VENDOR "Velmar RF Semiconductors")
set(CPACK_PACKAGE_CONTACT "Korvel developers <korvel@korvel.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${KORVEL_PACKAGES})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://korvel.example.org/")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${KORVEL_PACKAGE_runtime})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION electronics)
# The first line is the synopsis; the rest is the long description, one string.
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "RF and microwave design calculators
Korvel is a desktop suite of calculators for RF and microwave circuit
designers: transmission lines (coax, microstrip, stripline, coplanar
waveguide), transistor and RFIC bias networks, Schottky detectors,
reflection and mismatch, cascaded noise figure, intercept points, mixer
spurs, a complex RPN calculator, standard component values, a lumped-element
balun and a two-port S-parameter tool with Smith, polar and rectangular
charts. korvel-sparam tabulates Touchstone files from the command line.")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME ${KORVEL_PACKAGE_development})
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "RF and microwave design formulas (development files)
The formula libraries behind Korvel's calculators as static C++ libraries
with their headers, a CMake package (find_package(Korvel)) and pkg-config
files.")
if(KORVEL_PYTHON)
  # The module is built for one interpreter's ABI and uses numpy's.
  string(REPLACE "." ";" _py ${KORVEL_PYTHON_VERSION})
  list(GET _py 0 _py_major)
  list(GET _py 1 _py_minor)
  math(EXPR _py_next "${_py_minor} + 1")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME ${KORVEL_PACKAGE_python})
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
      "python3 (>= ${_py_major}.${_py_minor}~), python3 (<< ${_py_major}.${_py_next}), python3-numpy")
  set(CPACK_DEBIAN_PYTHON_DESCRIPTION "RF and microwave design formulas for Python
The korvel package gives Python the formulas behind Korvel's calculators
(transmission lines, bias networks, detectors, reflection, noise cascades,
mixer spurs, standard values, the balun) and its S-parameter engine, with
numpy arrays in and out and conversion to and from scikit-rf.")
endif()
include(CPack)

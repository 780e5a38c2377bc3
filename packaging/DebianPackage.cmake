# The Debian packages made by `cpack -G DEB` (scripts/package). Every install component is
# one package: telvan_debian_package() names it, describes it and installs its copyright,
# changelog and lintian overrides. The shared libraries are public (libtelvan-dev builds
# other programs against them), so each lives in a package of its own named after its
# SONAME, as Debian policy asks.
set(TELVAN_PACKAGE_MAINTAINER "Telvan Terminal developers <telvan-terminal@telvan.invalid>"
  CACHE STRING "Maintainer field of the Debian packages")

# The packages' version is the newest entry of their changelog, which must be this release's.
set(debianChangelog ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog)
file(STRINGS ${debianChangelog} newestEntry LIMIT_COUNT 1)
if(NOT newestEntry MATCHES "^[a-z0-9.+-]+ \\(([^-]+)-([^)]+)\\)")
  message(FATAL_ERROR "${debianChangelog} does not start with an entry such as \"telvan (1.0.0-1) ...\"")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "${debianChangelog}: the newest entry is ${CMAKE_MATCH_1}, the project "
    "is ${PROJECT_VERSION}; add an entry for ${PROJECT_VERSION}")
endif()
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})

set(debianChangelogGz ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
add_custom_command(OUTPUT ${debianChangelogGz}
  COMMAND gzip -9 --no-name --stdout ${debianChangelog} > ${debianChangelogGz}
  DEPENDS ${debianChangelog} VERBATIM)
add_custom_target(debian-changelog ALL DEPENDS ${debianChangelogGz})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_VENDOR Telvan)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TELVAN_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SOURCE telvan)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# The programs' and libraries' dependencies on Qt, C++ and C come from dpkg-shlibdeps; it finds
# this project's own libraries in the build tree, the dependencies on their packages come
# from the components' DEPENDS.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
# A shlibs file in every package with a shared library, so that packages built against it
# depend on it: on this very version while the interface may still change within 0.x.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/debian/DropLdconfigCalls.cmake)

# telvan_debian_package(COMPONENT PACKAGE SECTION SYNOPSIS DESCRIPTION [SHARED_LIBRARY]
#                       [DEPENDS debian-package...] [COMPONENT_DEPENDS component...])
# DESCRIPTION is the long description: lines of at most 80 characters, "." for an empty one.
# SHARED_LIBRARY: the package holds a public shared library and declares the ldconfig
# trigger.
function(telvan_debian_package component package section synopsis description)
  cmake_parse_arguments(PARSE_ARGV 5 arg SHARED_LIBRARY "" "DEPENDS;COMPONENT_DEPENDS")
  string(TOUPPER ${component} id)
  set(CPACK_COMPONENTS_ALL ${CPACK_COMPONENTS_ALL} ${component} PARENT_SCOPE)
  set(CPACK_DEBIAN_${id}_PACKAGE_NAME ${package} PARENT_SCOPE)
  set(CPACK_DEBIAN_${id}_PACKAGE_SECTION ${section} PARENT_SCOPE)
  set(CPACK_DEBIAN_${id}_DESCRIPTION "${synopsis}\n${description}" PARENT_SCOPE)
  list(JOIN arg_DEPENDS ", " depends)
  set(CPACK_DEBIAN_${id}_PACKAGE_DEPENDS "${depends}" PARENT_SCOPE)
  set(CPACK_COMPONENT_${id}_DEPENDS ${arg_COMPONENT_DEPENDS} PARENT_SCOPE)
  if(arg_SHARED_LIBRARY)
    set(CPACK_DEBIAN_${id}_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/debian/triggers
      PARENT_SCOPE)
    set(CPACK_DEBIAN_${id}_PACKAGE_CONTROL_STRICT_PERMISSION ON PARENT_SCOPE)
  endif()
  # Only in the package: cpack installs component by component, `cmake --install` does not.
  install(FILES debian/copyright ${debianChangelogGz}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
    COMPONENT ${component} EXCLUDE_FROM_ALL)
  install(FILES debian/lintian-overrides RENAME ${package}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
    COMPONENT ${component} EXCLUDE_FROM_ALL)
endfunction()

# The package name that a shared library's SONAME gives: libCSV.so.0 is in libcsv0.
function(telvan_soname_package target result)
  get_target_property(soversion ${target} SOVERSION)
  get_target_property(outputName ${target} OUTPUT_NAME)
  if(NOT outputName)
    set(outputName ${target})
  endif()
  string(TOLOWER "lib${outputName}${soversion}" package)
  set(${result} ${package} PARENT_SCOPE)
endfunction()

telvan_soname_package(CSV csvPackage)
telvan_debian_package(CsvLibrary ${csvPackage} libs
  "CSV tables, CSV reading and time stamps of the Telvan Terminal"
  "libCSV holds tables of named columns of values with X values or millisecond
time stamps and running value ranges, reads CSV text streams and files into
them through line processors, and parses and formats time stamps.
.
This package holds the shared library; libtelvan-dev holds the files to build
programs with it."
  SHARED_LIBRARY)

telvan_soname_package(Plotra plotraPackage)
telvan_debian_package(PlotraLibrary ${plotraPackage} libs
  "graph drawing of the Telvan Terminal, on Qt 6"
  "libPlotra draws tables of the CSV library libCSV as graphs with header, legend,
grid and labels, on a QPainter or into a picture saved in any format Qt writes;
it also holds a graph widget and a preview window.
.
This package holds the shared library; libtelvan-dev holds the files to build
programs with it."
  SHARED_LIBRARY COMPONENT_DEPENDS CsvLibrary)

# The fonts are no library dependency, yet without them every text of the dialogs and graphs
# stays empty.
telvan_debian_package(Runtime telvan-terminal electronics
  "terminal for Zelnar and Quorin laser distance meters"
  "The Telvan Terminal drives a Zelnar or Quorin laser distance meter on a serial
port: it reads and writes the device's parameters, shows the decoded
measurements with alarm lamps, an analog gauge and live graphs, and logs
measurements to text and spreadsheet files. A simulation demonstrates all of
this without a device.
.
The package also holds the headless recorder telvan-recorder (readings into CSV
files and to an MQTT broker, as a systemd service per meter), the device
emulator telvan-devsim and the console tool telvan-csv (CSV summary, merge and
plot)."
  DEPENDS fonts-dejavu-core
  COMPONENT_DEPENDS CsvLibrary PlotraLibrary)
# Its postinst makes the recorder service's user.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/debian/runtime/postinst)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_STRICT_PERMISSION ON)

telvan_debian_package(Development libtelvan-dev libdevel
  "development files of the Telvan CSV and drawing libraries"
  "Headers and the CMake package of libCSV (tables of values, CSV reading, time
stamps) and libPlotra (tables drawn as graphs with Qt 6): find_package(Telvan)
gives the imported targets Telvan::CSV and Telvan::Plotra."
  DEPENDS qt6-base-dev
  COMPONENT_DEPENDS CsvLibrary PlotraLibrary)

include(CPack)

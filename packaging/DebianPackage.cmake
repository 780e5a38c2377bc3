# The Debian packages made by `cpack -G DEB` (scripts/package): telvan-terminal with the
# programs and shared libraries, libtelvan-dev with the headers and the CMake package.
set(TELVAN_PACKAGE_MAINTAINER "Telvan Terminal developers <telvan-terminal@telvan.invalid>"
  CACHE STRING "Maintainer field of the Debian packages")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_VENDOR Telvan)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TELVAN_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME telvan-terminal)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION electronics)
# The Qt, C++ and C libraries come from dpkg-shlibdeps; the fonts are no library dependency,
# yet without them every text of the dialogs and graphs stays empty.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS fonts-dejavu-core)
# A shlibs file, so that packages built against the two shared libraries depend on this one
# (on this very version while the libraries' interface may still change within 0.x).
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
  "terminal for Zelnar and Quorin laser distance meters
The Telvan Terminal drives a Zelnar or Quorin laser distance meter on a serial port: it
reads and writes the device's parameters, shows the decoded measurements with alarm lamps,
an analog gauge and live graphs, and logs measurements to text and spreadsheet files. A
simulation demonstrates all of this without a device.
.
The package also holds the device emulator telvan-devsim, the console tool telvan-csv
(CSV summary, merge and plot) and the shared libraries libCSV and libPlotra.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libtelvan-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS Runtime)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS qt6-base-dev)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
  "development files of the Telvan CSV and drawing libraries
Headers and the CMake package of libCSV (tables of values, CSV reading, time stamps) and
libPlotra (tables drawn as graphs with Qt 6): find_package(Telvan) gives the imported
targets Telvan::CSV and Telvan::Plotra.")

include(CPack)

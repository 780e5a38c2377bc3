# Run by cpack after it made the packages (CPACK_POST_BUILD_SCRIPTS). CPack gives every
# package with a shared library maintainer scripts that only call ldconfig; the ldconfig
# trigger that these packages declare does that job, and Debian wants the scripts gone.
find_program(DPKG_DEB dpkg-deb REQUIRED)
set(ldconfigOnly "^#!/bin/sh\n\nset -e\n\nif \\[ \"\\$1\" = \"(configure|remove)\" \\]; then\n\tldconfig\nfi\n$")

foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND ${DPKG_DEB} --info ${deb} triggers OUTPUT_VARIABLE triggers ERROR_QUIET)
  if(NOT triggers MATCHES "activate-noawait ldconfig")
    continue()
  endif()
  set(tree ${deb}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND ${DPKG_DEB} --raw-extract ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  foreach(script postinst postrm)
    if(EXISTS ${tree}/DEBIAN/${script})
      file(READ ${tree}/DEBIAN/${script} text)
      if(text MATCHES "${ldconfigOnly}")
        file(REMOVE ${tree}/DEBIAN/${script})
      endif()
    endif()
  endforeach()
  execute_process(COMMAND ${DPKG_DEB} --root-owner-group --build ${tree} ${deb}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()

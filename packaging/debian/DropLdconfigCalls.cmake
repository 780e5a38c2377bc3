# Run by cpack after it made the packages (CPACK_POST_BUILD_SCRIPTS). CPack gives every
# package with a shared object maintainer scripts that only call ldconfig, and Debian wants
# them gone: the library packages declare the ldconfig trigger, which does that job, and the
# private module of telvan-csv lies outside the linker's search path, where ldconfig has
# nothing to do.
find_program(DPKG_DEB dpkg-deb REQUIRED)
set(ldconfigOnly "^#!/bin/sh\n\nset -e\n\nif \\[ \"\\$1\" = \"(configure|remove)\" \\]; then\n\tldconfig\nfi\n$")

foreach(deb IN LISTS CPACK_PACKAGE_FILES)
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

# telvan_install_man_page(PAGE [COMPONENT component] [HELP_OF program]) installs the manual
# page PAGE (a file NAME.SECTION below this folder) into man/manSECTION, compressed as
# Debian wants it; the component defaults to Runtime. HELP_OF adds a test that the page and
# the program's --help name the same long options.
function(telvan_install_man_page page)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "COMPONENT;HELP_OF" "")
  if(NOT arg_COMPONENT)
    set(arg_COMPONENT Runtime)
  endif()
  get_filename_component(name ${page} NAME)
  if(NOT name MATCHES "\\.([1-9])$")
    message(FATAL_ERROR "${page}: a manual page is named NAME.SECTION, such as telvan-csv.1")
  endif()
  set(section ${CMAKE_MATCH_1})
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/${page})
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
    COMMAND gzip -9 --no-name --stdout ${source} > ${compressed}
    DEPENDS ${source} VERBATIM)
  add_custom_target(man-${name} ALL DEPENDS ${compressed})
  install(FILES ${compressed}
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section} COMPONENT ${arg_COMPONENT})

  if(arg_HELP_OF AND TELVAN_TESTS)
    add_test(NAME Packaging.ManPageNamesEveryOption.${name}
      COMMAND ${CMAKE_COMMAND} -D PROGRAM=$<TARGET_FILE:${arg_HELP_OF}> -D PAGE=${source}
        -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/ManPageNamesEveryOption.cmake)
  endif()
endfunction()

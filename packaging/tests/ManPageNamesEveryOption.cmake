# Checks that a manual page and its program's --help name the same long options, so that
# neither drifts from the other. Run with cmake -P and -D PROGRAM, PAGE.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
endif()
file(READ ${PAGE} page)

string(REGEX MATCHALL "--[a-z][a-z-]*" helpOptions "${help}")
# In troff a hyphen of an option is written \-.
string(REGEX MATCHALL "\\\\-\\\\-[a-z][a-z\\\\-]*" pageOptions "${page}")
list(TRANSFORM pageOptions REPLACE "\\\\-" "-")
list(REMOVE_DUPLICATES helpOptions)
list(REMOVE_DUPLICATES pageOptions)

set(missing ${helpOptions})
list(REMOVE_ITEM missing ${pageOptions})
# The page may tell of --help even when the usage does not list it.
set(extra ${pageOptions})
list(REMOVE_ITEM extra ${helpOptions} --help)
if(missing OR extra)
  message(FATAL_ERROR "${PAGE}: options of --help missing from the page: ${missing}; "
    "options on the page that --help does not name: ${extra}")
endif()
message(STATUS "${PAGE}: ${pageOptions}")

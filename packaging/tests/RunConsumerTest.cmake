# Installs the build into a fresh prefix, checks that the installed programs find their
# libraries there, then configures, builds and runs the consumer project against it.
# Run with cmake -P and -D BUILD_DIR, CONSUMER_DIR, WORK_DIR, GENERATOR, CXX_COMPILER,
# LINKER_FLAGS.

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${out}")
  endif()
  message(STATUS "${what}: done")
endfunction()

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
# Only the installed libraries may be found, through the programs' own RPATH.
unset(ENV{LD_LIBRARY_PATH})

run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
# The installed programs are the four of the package; the terminal reads no environment
# variable of its own (the documentation's pictures are taken by a program that stays out).
file(GLOB programs RELATIVE ${prefix}/bin ${prefix}/bin/*)
list(SORT programs)
if(NOT programs STREQUAL "telvan-csv;telvan-devsim;telvan-recorder;telvan-terminal")
  message(FATAL_ERROR "installed programs: ${programs}")
endif()
file(STRINGS ${prefix}/bin/telvan-terminal ownVariables REGEX "TELVAN_[A-Z_]+")
if(ownVariables)
  message(FATAL_ERROR "telvan-terminal names variables of its own: ${ownVariables}")
endif()
run("installed telvan-csv" ${prefix}/bin/telvan-csv --help)
run("installed telvan-recorder" ${prefix}/bin/telvan-recorder --help)

run("configure the consumer" ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build
  -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_PREFIX_PATH=${prefix}
  -DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS})
run("build the consumer" ${CMAKE_COMMAND} --build ${WORK_DIR}/build)

file(WRITE ${WORK_DIR}/table.csv "0,1.5,0.2\n1,2.5,0.4\n2,2.0,-0.3\n3,3.5,0.1\n4,3.0,0.0\n")
set(ENV{QT_QPA_PLATFORM} offscreen)
run("run the consumer" ${WORK_DIR}/build/telvan-consumer ${WORK_DIR}/table.csv
  ${WORK_DIR}/table.png)

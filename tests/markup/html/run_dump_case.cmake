# Runs one tree-dump case: mkdump reads cases/NAME.html (with the arguments
# listed one per line in NAME.args, if any) in the current folder.  With a
# NAME.dump the output must equal it and the exit status be 0; with a
# NAME.err the standard error must equal it and the exit status be 1.
#
#   cmake -DMKDUMP=<tool> -DCASE=<folder>/NAME -DACTUAL=<folder> -P run_dump_case.cmake

set(args "")
if(EXISTS ${CASE}.args)
  file(STRINGS ${CASE}.args args)
endif()
execute_process(
  COMMAND ${MKDUMP} ${args} ${CASE}.html
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  RESULT_VARIABLE status)
get_filename_component(name ${CASE} NAME)

if(EXISTS ${CASE}.err)
  file(READ ${CASE}.err expected)
  if(NOT status EQUAL 1 OR NOT err STREQUAL expected)
    message(FATAL_ERROR "${name}: expected exit status 1 and the message\n${expected}"
                        "got status ${status} and\n${err}")
  endif()
  return()
endif()

file(READ ${CASE}.dump expected)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${name}: exit status ${status}\n${err}")
endif()
if(NOT out STREQUAL expected)
  file(WRITE ${ACTUAL}/${name}.actual "${out}")
  message(FATAL_ERROR "${name}: the dump differs from ${CASE}.dump; "
                      "mkdump's output is in ${ACTUAL}/${name}.actual")
endif()

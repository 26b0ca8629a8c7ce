# Runs one golden case: PROGRAM [MODE] [the lines of NAME.args] NAME<INPUT>.
# With a NAME.err beside the input the program must fail with status 1 and
# write exactly that on standard error, otherwise succeed and write exactly
# NAME<EXPECTED> on standard output.  Output that differs is left in
# ACTUAL/NAME.actual, or with VESMAR_UPDATE_GOLDEN=1 written over the
# expected file.
#
#   cmake -DPROGRAM=<tool> [-DMODE=<word>] -DCASE=<folder>/NAME -DINPUT=.html
#         -DEXPECTED=.dump -DACTUAL=<folder> -P run_golden_case.cmake

set(args ${MODE})
if(EXISTS ${CASE}.args)
  file(STRINGS ${CASE}.args more)
  list(APPEND args ${more})
endif()
execute_process(COMMAND ${PROGRAM} ${args} ${CASE}${INPUT}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
get_filename_component(name ${CASE} NAME)

set(expected_file ${CASE}${EXPECTED})
set(expected_status 0)
set(actual "${out}")
if(EXISTS ${CASE}.err)
  set(expected_file ${CASE}.err)
  set(expected_status 1)
  set(actual "${err}")
endif()
if(NOT status STREQUAL expected_status)
  message(FATAL_ERROR "${name}: exit status ${status}, not ${expected_status}\n${err}")
endif()

if(EXISTS ${expected_file})
  file(READ ${expected_file} expected)
  if(actual STREQUAL expected)
    return()
  endif()
endif()
if("$ENV{VESMAR_UPDATE_GOLDEN}" STREQUAL "1")
  file(WRITE ${expected_file} "${actual}")
  message(STATUS "${name}: wrote ${expected_file}")
  return()
endif()
file(WRITE ${ACTUAL}/${name}.actual "${actual}")
execute_process(COMMAND diff -u ${expected_file} ${ACTUAL}/${name}.actual)
message(FATAL_ERROR "${name}: ${expected_file} is missing or differs; the output is in "
                    "${ACTUAL}/${name}.actual; VESMAR_UPDATE_GOLDEN=1 makes it the expected file")

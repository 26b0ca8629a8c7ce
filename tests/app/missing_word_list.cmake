# Starts PROGRAM in an empty FOLDER: it must end at once with exit status 1
# and name the missing word list on standard error, without a window.
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
execute_process(COMMAND "${PROGRAM}"
  WORKING_DIRECTORY "${FOLDER}"
  RESULT_VARIABLE status
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  TIMEOUT 20)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "exit status ${status}, expected 1\n${err}")
endif()
if(NOT err MATCHES "vocabolario\\.txt")
  message(FATAL_ERROR "standard error does not name vocabolario.txt:\n${err}")
endif()

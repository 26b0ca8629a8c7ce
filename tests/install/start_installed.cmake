# Installs into a scratch prefix and starts the game as the desktop menu
# would: the installed entry's Exec= in the entry's Path=, on the offscreen
# platform.  Without its word list the program ends at once with status 1;
# with its game folder it opens the window and waits for the player, so it
# must still be running when the time is up.  Then it is killed.
#
# Also given: SECONDS, how long the program must keep running.

include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)

set(prefix "${WORK}/prefix")
install_into("${prefix}")

set(entry "${prefix}/share/applications/${APP_ID}.desktop")
desktop_entry_value("${entry}" Path path)
desktop_entry_value("${entry}" Exec exec)
# Exec= quotes a program path that holds a space; it takes no arguments.
string(REGEX REPLACE "^\"(.*)\"$" "\\1" program "${exec}")
if(NOT IS_DIRECTORY "${path}")
  message(FATAL_ERROR "Path=${path} is not a folder")
endif()
if(NOT EXISTS "${program}" OR IS_DIRECTORY "${program}")
  message(FATAL_ERROR "Exec=${exec} is not an installed program")
endif()

set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND "${program}"
  WORKING_DIRECTORY "${path}"
  RESULT_VARIABLE status
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  TIMEOUT ${SECONDS})
if(NOT status MATCHES "timeout")
  message(FATAL_ERROR "${program} ended within ${SECONDS} s, status ${status}, "
                      "started in ${path}:\n${err}")
endif()
message(STATUS "${program} was still running after ${SECONDS} s in ${path}")

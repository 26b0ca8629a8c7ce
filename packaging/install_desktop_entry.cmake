# Run by `cmake --install` (and by CPack): writes the desktop entry for the
# prefix being installed into and installs it into share/applications.
#
# The game reads its word list, pictures and sounds from its working
# directory and takes no arguments, so the entry's Path= is the installed
# game folder and Exec= the installed program, both under
# CMAKE_INSTALL_PREFIX as it is now, not as it was when configuring.
#
# Set beforehand by packaging/CMakeLists.txt: VESMAR_ENTRY_TEMPLATE,
# VESMAR_ENTRY_OUTPUT, VESMAR_APP_ID, VESMAR_GAMESDIR (the game's folder),
# VESMAR_GAMEDATADIR (the game folder) and VESMAR_DATADIR (the GNUInstallDirs
# data folder), each relative to the prefix or absolute.

foreach(var gamesdir gamedatadir datadir)
  string(TOUPPER "VESMAR_${var}" name)
  cmake_path(ABSOLUTE_PATH ${name} BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE
             OUTPUT_VARIABLE ${var})
  # A folder given with a trailing slash keeps it; the names below add their own.
  string(REGEX REPLACE "/$" "" ${var} "${${var}}")
endforeach()
set(VESMAR_GAME_FOLDER "${gamedatadir}")
set(VESMAR_EXEC "${gamesdir}/vesmar")

# Exec= is split into words like a shell line and % starts a field code: a
# path with a space must be quoted, and the characters that would need
# escaping even inside quotes are refused rather than risked.
if(VESMAR_EXEC MATCHES "[\"`$%\\\\\n]" OR VESMAR_GAME_FOLDER MATCHES "\n")
  message(FATAL_ERROR "The install prefix \"${CMAKE_INSTALL_PREFIX}\" holds characters a "
                      "desktop entry cannot name the program with.")
endif()
if(VESMAR_EXEC MATCHES "[ \t'<>~|&;*?#()]")
  set(VESMAR_EXEC "\"${VESMAR_EXEC}\"")
endif()

configure_file("${VESMAR_ENTRY_TEMPLATE}" "${VESMAR_ENTRY_OUTPUT}" @ONLY)
file(INSTALL "${VESMAR_ENTRY_OUTPUT}" DESTINATION "${datadir}/applications")

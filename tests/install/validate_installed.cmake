# Installs into a scratch prefix and checks what the desktop will read: every
# file in its place, the desktop entry naming this prefix, and the entry and
# the AppStream metadata accepted by desktop-file-validate and appstreamcli.

include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)
find_needed_program(desktop_file_validate desktop-file-validate)
find_needed_program(appstreamcli appstreamcli)

set(prefix "${WORK}/prefix")
install_into("${prefix}")
expect_files("${prefix}" ${installed_files})

# The entry starts the program installed beside it, in the game folder
# installed beside it: the program reads its files from its working
# directory and takes no arguments.
set(entry "${prefix}/share/applications/${APP_ID}.desktop")
desktop_entry_value("${entry}" Path path)
desktop_entry_value("${entry}" Exec exec)
desktop_entry_value("${entry}" Icon icon)
if(NOT path STREQUAL "${prefix}/share/games/vesmar")
  message(FATAL_ERROR "Path=${path}, expected ${prefix}/share/games/vesmar")
endif()
if(NOT exec STREQUAL "${prefix}/games/vesmar")
  message(FATAL_ERROR "Exec=${exec}, expected ${prefix}/games/vesmar")
endif()
if(NOT icon STREQUAL APP_ID)
  message(FATAL_ERROR "Icon=${icon}, expected ${APP_ID}")
endif()
file(READ "${entry}" entry_text)
if(NOT entry_text MATCHES "\nCategories=Game;LogicGame;\n")
  message(FATAL_ERROR "${entry} is not in the Game and LogicGame categories:\n${entry_text}")
endif()

# desktop-file-validate exits 0 on mere warnings, but prints them: any
# output is a finding.
run_checked("${desktop_file_validate}" "${entry}")
if(NOT output STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate:\n${output}")
endif()

# --strict fails on warnings and hints too, not only on errors.
set(metainfo "${prefix}/share/metainfo/${APP_ID}.metainfo.xml")
run_checked("${appstreamcli}" validate --no-net --strict "${metainfo}")
# The tree check also matches the metadata with the installed desktop entry.
run_checked("${appstreamcli}" validate-tree --no-net --strict "${prefix}")

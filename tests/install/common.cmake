# Helpers shared by the install tests, which run as `cmake -P` scripts.
#
# Every script is given:
#   BUILD   the build tree to install from
#   WORK    a scratch folder of its own, emptied first
#   APP_ID  the application id naming the entry, metadata and icon

foreach(var BUILD WORK APP_ID)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

# A DESTDIR left in the environment would send every file elsewhere.
unset(ENV{DESTDIR})

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# Every file an installation holds, relative to the prefix.
set(installed_files
  games/vesmar
  bin/mkdump
  share/games/vesmar/vocabolario.txt
  share/games/vesmar/im1.bmp
  share/games/vesmar/im2.bmp
  share/games/vesmar/chimes.wav
  share/games/vesmar/success.wav
  share/applications/${APP_ID}.desktop
  share/metainfo/${APP_ID}.metainfo.xml
  share/icons/hicolor/scalable/apps/${APP_ID}.svg
  share/man/man6/vesmar.6.gz
  share/man/man1/mkdump.1.gz
  share/lintian/overrides/vesmar
  share/doc/vesmar/copyright
  share/doc/vesmar/changelog.gz)
set(icon_sizes 16 24 32 48 64 128 256)
foreach(side ${icon_sizes})
  list(APPEND installed_files share/icons/hicolor/${side}x${side}/apps/${APP_ID}.png)
endforeach()

# Ends the script, and CTest counts the test as skipped (the tests'
# SKIP_REGULAR_EXPRESSION), when a program it needs is not installed.
# tools/install-deps.sh installs them all, so CI never skips.
macro(find_needed_program var name)
  find_program(${var} ${name})
  if(NOT ${var})
    message("SKIPPED: ${name} is not installed; tools/install-deps.sh installs it")
    return()
  endif()
endmacro()

# Runs a command that must succeed; its output goes to `output`.
function(run_checked)
  execute_process(COMMAND ${ARGN}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE out
    ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "`${command}` failed (${status}):\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

# `cmake --install` of the build tree into PREFIX, as a player would run it.
function(install_into prefix)
  run_checked("${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${prefix}")
endfunction()

# The value of KEY in the [Desktop Entry] group of a desktop entry; the key
# must be there exactly once.
function(desktop_entry_value file key var)
  file(STRINGS "${file}" lines REGEX "^${key}=")
  list(LENGTH lines count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "${file}: ${count} lines with ${key}=, expected one")
  endif()
  string(REGEX REPLACE "^${key}=" "" value "${lines}")
  set(${var} "${value}" PARENT_SCOPE)
endfunction()

# Fails unless every file of the list exists under ROOT.
function(expect_files root)
  set(missing "")
  foreach(file ${ARGN})
    if(NOT EXISTS "${root}/${file}")
      list(APPEND missing "${file}")
    endif()
  endforeach()
  if(missing)
    list(JOIN missing "\n  " missing)
    message(FATAL_ERROR "missing under ${root}:\n  ${missing}")
  endif()
endfunction()

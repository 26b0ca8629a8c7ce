# Makes the Debian package from the build tree with CPack and checks it:
# the file name, every file under /usr, the desktop entry naming /usr, the
# Qt runtime packages dpkg-shlibdeps found and the fonts, the word list's
# licence in the copyright file, and lintian's verdict.
#
# Also given: CPACK (the cpack program) and VERSION (the project's).

include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)
find_needed_program(dpkg_deb dpkg-deb)
find_needed_program(dpkg_shlibdeps dpkg-shlibdeps)
find_needed_program(file_program file) # CPack tells programs from data with it
find_needed_program(lintian lintian)

# -B puts the package and CPack's staging folders in this test's own folder.
run_checked("${CPACK}" -G DEB --config "${BUILD}/CPackConfig.cmake" -B "${WORK}")
file(GLOB packages "${WORK}/*.deb")
run_checked(dpkg --print-architecture)
string(STRIP "${output}" arch)
set(package "${WORK}/vesmar_${VERSION}_${arch}.deb")
if(NOT packages STREQUAL package)
  message(FATAL_ERROR "packages made: ${packages}\nexpected: ${package}")
endif()

# Every file of an installation, under /usr and nowhere else.
run_checked("${dpkg_deb}" --contents "${package}")
string(REGEX MATCHALL "\\./[^\n]*[^/\n]\n" listed "${output}")
string(REPLACE "\n" "" listed "${listed}")
set(expected "")
foreach(file ${installed_files})
  list(APPEND expected "./usr/${file}")
endforeach()
list(SORT listed)
list(SORT expected)
if(NOT listed STREQUAL expected)
  list(JOIN listed "\n  " listed)
  list(JOIN expected "\n  " expected)
  message(FATAL_ERROR "the package holds\n  ${listed}\nexpected\n  ${expected}")
endif()

# The control fields; the dependencies are those dpkg-shlibdeps read from
# the programs, so the Qt libraries they link are all there.
run_checked("${dpkg_deb}" --field "${package}" Package Section Depends)
foreach(field "Package: vesmar" "Section: games" "Depends: .*libc6"
    "Depends: .*libqt6core6" "Depends: .*libqt6gui6" "Depends: .*libqt6widgets6"
    "Depends: .*libqt6multimedia6" "Depends: .*fonts-liberation2" "Depends: .*fonts-dejavu-core")
  if(NOT output MATCHES "(^|\n)${field}")
    message(FATAL_ERROR "no \"${field}\" among the control fields:\n${output}")
  endif()
endforeach()

# The files themselves.
set(root "${WORK}/root")
run_checked("${dpkg_deb}" --extract "${package}" "${root}")

set(entry "${root}/usr/share/applications/${APP_ID}.desktop")
desktop_entry_value("${entry}" Path path)
desktop_entry_value("${entry}" Exec exec)
if(NOT path STREQUAL "/usr/share/games/vesmar" OR NOT exec STREQUAL "/usr/games/vesmar")
  message(FATAL_ERROR "the package's entry has Path=${path} and Exec=${exec}, "
                      "expected /usr/share/games/vesmar and /usr/games/vesmar")
endif()

# The copyright file is machine-readable and gives the word list its
# licence, with the copyright holders Debian's witalian names.
file(READ "${root}/usr/share/doc/vesmar/copyright" copyright)
if(NOT copyright MATCHES "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n")
  message(FATAL_ERROR "the copyright file is not in the machine-readable format")
endif()
if(NOT copyright MATCHES "\n\nFiles: usr/share/games/vesmar/vocabolario.txt\nCopyright: ([^\n]*)\nLicense: GPL-3\\+\n")
  message(FATAL_ERROR "the copyright file has no GPL-3+ paragraph for the word list:\n${copyright}")
endif()
set(holders "${CMAKE_MATCH_1}")
if(NOT copyright MATCHES "\nLicense: GPL-3\\+\n This program is free software;.*/usr/share/common-licenses/GPL-3")
  message(FATAL_ERROR "the copyright file lacks the GPL-3+ licence's terms")
endif()
set(witalian /usr/share/doc/witalian/copyright)
if(EXISTS "${witalian}")
  file(STRINGS "${witalian}" witalian_holders REGEX "^Copyright: ")
  list(GET witalian_holders 0 witalian_holders)
  if(NOT witalian_holders STREQUAL "Copyright: ${holders}")
    message(FATAL_ERROR "the word list's copyright reads \"${holders}\", "
                        "witalian's \"${witalian_holders}\"")
  endif()
endif()

# No error and no warning.  What lintian reports below that (information,
# pedantic notes) is printed for whoever reads the test's output: a debug
# build, for one, is not hardened with the optimiser's help.
run_checked("${lintian}" --fail-on error,warning --display-level ">=pedantic" --pedantic
            "${package}")
message("lintian:\n${output}")

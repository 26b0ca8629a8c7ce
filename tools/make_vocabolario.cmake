# Builds the game's word list from the system's Italian dictionary: only the
# lines made entirely of the letters a to z, in their order.
#
# cmake -DSOURCE=/usr/share/dict/italian -DTARGET=vocabolario.txt -P make_vocabolario.cmake
if(NOT EXISTS "${SOURCE}")
  message(FATAL_ERROR "${SOURCE} is missing: install the Debian package witalian")
endif()
file(STRINGS "${SOURCE}" words REGEX "^[a-z]+$" ENCODING UTF-8)
list(JOIN words "\n" text)
file(WRITE "${TARGET}.tmp" "${text}\n")
file(RENAME "${TARGET}.tmp" "${TARGET}")
list(LENGTH words count)
message(STATUS "vocabolario.txt: ${count} words")

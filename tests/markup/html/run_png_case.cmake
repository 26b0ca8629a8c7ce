# Draws a case with mkdump --png and checks that a PNG of the asked size came
# out, or, with EXPECT_ERROR, that mkdump failed with that message.
#
#   cmake -DMKDUMP=<tool> -DINPUT=<file> -DRECT=WxH -DOUTPUT=<png>
#         [-DEXPECT_ERROR=<message>] -P run_png_case.cmake

file(REMOVE ${OUTPUT})
execute_process(
  COMMAND ${MKDUMP} --png ${OUTPUT} --rect ${RECT} ${INPUT}
  ERROR_VARIABLE err
  RESULT_VARIABLE status)
string(REGEX REPLACE "QStandardPaths:[^\n]*\n" "" err "${err}")

if(DEFINED EXPECT_ERROR)
  if(NOT status EQUAL 1 OR NOT err STREQUAL "${EXPECT_ERROR}\n" OR EXISTS ${OUTPUT})
    message(FATAL_ERROR "expected status 1, no picture and '${EXPECT_ERROR}'; "
                        "got status ${status} and '${err}'")
  endif()
  return()
endif()

if(NOT status EQUAL 0)
  message(FATAL_ERROR "mkdump --png: status ${status}\n${err}")
endif()
# A PNG starts with its signature, then the IHDR chunk: width and height as
# big-endian 32-bit numbers from byte 16 on.
file(READ ${OUTPUT} head LIMIT 24 HEX)
string(SUBSTRING "${head}" 0 16 signature)
string(SUBSTRING "${head}" 32 8 width_hex)
string(SUBSTRING "${head}" 40 8 height_hex)
math(EXPR width "0x${width_hex}")
math(EXPR height "0x${height_hex}")
if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT "${width}x${height}" STREQUAL RECT)
  message(FATAL_ERROR "not a ${RECT} PNG: ${head}")
endif()

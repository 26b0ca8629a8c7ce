# Strict warnings for the project's own targets.  The release and sanitizer
# presets turn them into errors, so that no warning lands unnoticed.
option(VESMAR_WERROR "Treat the project's warnings as errors" OFF)

function(vesmar_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough)
  if(VESMAR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # GCC 12 reports overlapping copies in "text" + std::string that cannot
  # overlap (its bug 105651) when optimising; the warning finds nothing real.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

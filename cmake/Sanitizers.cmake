# VESMAR_SANITIZE=address,undefined instruments every target of the build.
set(VESMAR_SANITIZE "" CACHE STRING "Comma-separated -fsanitize= list")
if(VESMAR_SANITIZE)
  add_compile_options(-fsanitize=${VESMAR_SANITIZE} -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=${VESMAR_SANITIZE})
endif()

# Warnings are errors in our own code; Qt and GoogleTest headers come in as system headers.
function(zol_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(ZOL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# One layer of zol_core: a static library with src/ as its include root.
function(zol_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Core ${ARG_DEPS})
  zol_warnings(${name})
endfunction()

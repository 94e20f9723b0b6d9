# Warnings are errors in our own code; Qt and GoogleTest headers come in as system headers.
function(zol_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(ZOL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

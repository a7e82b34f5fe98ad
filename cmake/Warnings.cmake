# Warning flags shared by every target of the project.
function(kelvandor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wcast-align -Woverloaded-virtual -Wformat=2)
  if(KELVANDOR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

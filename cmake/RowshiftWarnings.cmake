# Warnings on and clean for every target of ours (not for third-party code).
function(rowshift_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror)
endfunction()

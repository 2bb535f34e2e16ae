# Every target of ours gets the same warning set; third-party headers come in as system headers.
function(ped_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(PED_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

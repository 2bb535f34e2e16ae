# Every target of ours gets the same warning set; third-party headers come in as system headers.
function(ped_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wsign-conversion -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
  # GCC 12 at -O2 and above warns falsely of overlapping copies when a text is put in front of
  # another; the warning is worth nothing there.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(PED_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Adds every direct subfolder of the current folder that has a CMakeLists.txt, in name order,
# so a new test suite or benchmark needs no edit here.
function(ped_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

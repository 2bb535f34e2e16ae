# Fails when a source file below the host includes Qt.
set(layers protocol secrets httpstream framework sqldb appserver rpcclient contracts support
           PKG_PED01000 CLI_Ped01000 CLI_Ped01001 PKG_PED01100 CLI_Ped01100)
set(offenders "")
foreach(layer IN LISTS layers)
  file(GLOB_RECURSE files ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  foreach(f IN LISTS files)
    # Qt's headers are included as <QWidget> or <QtCore/...>; our own Q-named headers end in .h.
    file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*<(Q[A-Za-z]+>|Qt[A-Za-z]*/)")
    if(hits)
      list(APPEND offenders ${f})
    endif()
  endforeach()
endforeach()
if(offenders)
  message(FATAL_ERROR "Qt included below the host: ${offenders}")
endif()
message(STATUS "No Qt below the host")

# The layers of the product, as the build enforces them. Each row names a library or program and
# the project's libraries it may link directly; nothing else of the project. Only the Qt view and
# the program that joins it may link Qt. Third-party libraries are not the table's business.
#
#   framework <- support <- modules <- host; sqldb below the server; the RPC client below support.
set(PED_LAYERS
  "protocol:"
  "secrets:"
  "httpstream:"
  "sqldb:"
  "framework_data:"
  "framework_ui: framework_data"
  "framework_report: framework_ui"
  "pedclient: httpstream protocol"
  "pedserver_core: sqldb protocol httpstream"
  "pedserver: pedserver_core secrets"
  "contracts: framework_ui protocol"
  "support: contracts protocol pedclient sqldb"
  "PKG_PED01000: support"
  "PKG_PED01100: support framework_report"
  "host_app: support framework_ui framework_report secrets pedclient"
  "host_script: host_app"
  "host_qt: host_app"
  "pedhost: host_qt host_script host_app")
set(PED_QT_TARGETS host_qt pedhost)

# Makes FOLDERs the only headers TARGET publishes, each under its own name ("sqldb/Connection.h"):
# the include folder is a folder of the build tree holding a link to each, so a library that links
# TARGET sees those folders and not the rest of the source tree.
function(ped_publish_folders target)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(MAKE_DIRECTORY ${root})
  foreach(folder IN LISTS ARGN)
    get_filename_component(name ${folder} NAME)
    file(CREATE_LINK ${folder} ${root}/${name} SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# Every library and program below the given folders, their subfolders included.
function(ped_targets_below out)
  set(found "")
  foreach(dir IN LISTS ARGN)
    if(NOT IS_DIRECTORY ${dir})
      continue()
    endif()
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type MATCHES "LIBRARY|EXECUTABLE")
        list(APPEND found ${target})
      endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    if(subdirs)
      ped_targets_below(below ${subdirs})
      list(APPEND found ${below})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Fails the configure step when a target of the product folders breaks the table above.
function(ped_check_layers)
  set(listed "")
  foreach(row IN LISTS PED_LAYERS)
    string(REGEX MATCH "^([^:]+):(.*)$" matched "${row}")
    set(name ${CMAKE_MATCH_1})
    separate_arguments(allowed_${name} UNIX_COMMAND "${CMAKE_MATCH_2}")
    list(APPEND listed ${name})
  endforeach()

  set(faults "")
  list(JOIN PED_QT_TARGETS " and " qt_targets)
  ped_targets_below(product ${ARGN})
  foreach(target IN LISTS product)
    if(NOT target IN_LIST listed)
      list(APPEND faults "${target} is not in the layer table (cmake/Layers.cmake)")
      continue()
    endif()
    get_target_property(type ${target} TYPE)
    set(links "")
    foreach(property INTERFACE_LINK_LIBRARIES LINK_LIBRARIES)
      if(property STREQUAL "LINK_LIBRARIES" AND type STREQUAL "INTERFACE_LIBRARY")
        continue()
      endif()
      get_target_property(values ${target} ${property})
      if(values)
        list(APPEND links ${values})
      endif()
    endforeach()
    list(TRANSFORM links REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1")
    list(REMOVE_DUPLICATES links)
    foreach(link IN LISTS links)
      if(link MATCHES "^Qt[0-9]*::")
        if(NOT target IN_LIST PED_QT_TARGETS)
          list(APPEND faults "${target} links ${link}: only ${qt_targets} may use Qt")
        endif()
        continue()
      endif()
      if(NOT TARGET ${link})
        continue()
      endif()
      get_target_property(imported ${link} IMPORTED)
      if(NOT imported AND NOT link IN_LIST allowed_${target})
        list(JOIN allowed_${target} ", " allowed)
        if(NOT allowed)
          set(allowed "nothing of the project")
        endif()
        list(APPEND faults "${target} may not link ${link} (it may link ${allowed})")
      endif()
    endforeach()
  endforeach()

  if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Layers broken:\n  ${text}")
  endif()
  message(STATUS "Layers kept")
endfunction()

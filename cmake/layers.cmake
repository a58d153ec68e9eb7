# One static library per folder, linked only to the folders below it. Each folder names the
# folders it may use; the build checks every #include of the folder against that list (and
# what those folders may use), so an include that points up fails the build instead of
# slipping in.

# Sources of one platform carry its suffix: *_win.cpp build only for Windows, *_posix.cpp
# only elsewhere.
# player_platform_filter(LIST_VAR): drops the other platform's sources from the list.
function(player_platform_filter list_var)
  set(sources ${${list_var}})
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
  endif()
  set(${list_var} ${sources} PARENT_SCOPE)
endfunction()

# player_library(NAME [BELOW...]): library pl_NAME from NAME/*.cpp (main.cpp apart, this
# platform's only), linked PUBLIC to pl_BELOW for each folder it uses directly.
function(player_library name)
  set(allowed ${name})
  foreach(dep ${ARGN})
    get_property(dep_allowed GLOBAL PROPERTY PLAYER_ALLOWED_${dep})
    list(APPEND allowed ${dep_allowed})
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set_property(GLOBAL PROPERTY PLAYER_ALLOWED_${name} ${allowed})

  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.h)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  player_platform_filter(sources)
  set(deps)
  foreach(dep ${ARGN})
    list(APPEND deps pl_${dep})
  endforeach()
  # A folder of headers alone (plain records shared by the layers above) is an interface.
  if(sources)
    add_library(pl_${name} STATIC ${sources})
    target_link_libraries(pl_${name} PUBLIC ${deps} pl_common)
  else()
    add_library(pl_${name} INTERFACE)
    target_link_libraries(pl_${name} INTERFACE ${deps} pl_common)
  endif()

  file(GLOB checked CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.cpp ${CMAKE_SOURCE_DIR}/${name}/*.h)
  player_check_includes(pl_${name} "${allowed}" ${checked})
endfunction()

# player_check_includes(TARGET ALLOWED FILES...): before TARGET builds, fails when one of
# FILES includes a header of a project folder outside ALLOWED, in any spelling of the path.
function(player_check_includes target allowed)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.layers)
  string(REPLACE ";" "," allowed_arg "${allowed}")
  string(REPLACE ";" "," folders_arg "${PLAYER_ALL_FOLDERS}")
  string(REPLACE ";" "," files_arg "${ARGN}")
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DALLOWED=${allowed_arg} -DFOLDERS=${folders_arg} -DFILES=${files_arg}
            -DROOT=${CMAKE_SOURCE_DIR} -DSTAMP=${stamp} -P ${CMAKE_SOURCE_DIR}/cmake/check_includes.cmake
    DEPENDS ${ARGN} ${CMAKE_SOURCE_DIR}/cmake/check_includes.cmake
    COMMENT "Checking the includes of ${target}")
  add_custom_target(${target}_layers DEPENDS ${stamp})
  add_dependencies(${target} ${target}_layers)
endfunction()

# Removes every entry of the folder DIR whose name is not listed in KEEP (names separated by
# "|"), so that a build output folder holds exactly what the build puts there.
#   cmake -DDIR=<folder> -DKEEP=<a|b|c> -P prune_dir.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" keep "${KEEP}")
file(GLOB entries LIST_DIRECTORIES true "${DIR}/*")
foreach(entry ${entries})
  get_filename_component(name "${entry}" NAME)
  if(NOT name IN_LIST keep)
    message(STATUS "Removing ${entry}: the build does not put it there")
    file(REMOVE_RECURSE "${entry}")
  endif()
endforeach()

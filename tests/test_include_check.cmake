# Script mode: the layer check against every spelling of an include, in a scratch tree under
# SCRATCH with the folders base < input < video; CHECK is cmake/check_includes.cmake.
set(root "${SCRATCH}/include_check")
file(REMOVE_RECURSE "${root}")
file(WRITE "${root}/base/log.h" "")
file(WRITE "${root}/input/poll.h" "")
file(WRITE "${root}/video/present.h" "")

# expect(RESULT INCLUDE_LINE): input/probe.cpp holding the line passes or fails the check.
function(expect result line)
  file(WRITE "${root}/input/probe.cpp" "${line}\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -DALLOWED=input,config,core_api,base
    -DFOLDERS=base,gfx,core_api,config,game,sound,slots,rewind,input,xgui,video,ui,app -DROOT=${root}
    -DFILES=${root}/input/probe.cpp -DSTAMP=${root}/stamp -P ${CHECK}
    RESULT_VARIABLE code OUTPUT_QUIET ERROR_QUIET)
  set(got fail)
  if(code EQUAL 0)
    set(got pass)
  endif()
  if(NOT got STREQUAL result)
    set(failures "${failures}  expected ${result}, got ${got}: ${line}\n" PARENT_SCOPE)
  endif()
endfunction()

expect(fail "#include \"./../video//present.h\"")
expect(fail "#include \"input/../video/present.h\"")
expect(fail "  #  include\t<video/present.h>")
expect(fail "#include_next <video/present.h>")
expect(fail "#import \"../video/present.h\"")
expect(fail "#include \"ui/not_written_yet.h\"")
expect(fail "#include PRESENT_HEADER")
expect(pass "#include \"base/log.h\"")
expect(pass "#include <base/log.h>")
expect(pass "#include \"../base/log.h\"")
expect(pass "#include \"poll.h\"")
expect(pass "#include <GL/gl.h>")
file(REMOVE_RECURSE "${root}")
if(failures)
  message(FATAL_ERROR "The include check misjudged:\n${failures}")
endif()

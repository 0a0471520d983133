# Runs the desktop's checkers on the menu entry and the metainfo; skipped
# (by the test's skip pattern) where they are not installed.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(NOT DESKTOP_FILE_VALIDATE OR NOT APPSTREAMCLI)
  message("desktop-file-validate or appstreamcli is not installed")
  return()
endif()
foreach(check "${DESKTOP_FILE_VALIDATE};${DESKTOP}" "${APPSTREAMCLI};validate;--no-net;${METAINFO}")
  execute_process(COMMAND ${check} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${check} failed:\n${out}")
  endif()
endforeach()

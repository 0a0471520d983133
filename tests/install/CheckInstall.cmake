# Installs the build into a fresh prefix and checks that every file a
# desktop, a package manager and `man` look for is there.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(expected
    bin/quorvel-cli
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/scalable/apps/${APP_ID}.svg
    share/icons/hicolor/256x256/apps/${APP_ID}.png
    share/man/man1/quorvel-cli.1.gz
    share/doc/quorvel/copyright)
if(WITH_APP)
  list(APPEND expected bin/quorvel share/man/man1/quorvel.1.gz)
endif()
foreach(file ${expected})
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# The PNG header's width and height: the hicolor folder promises 256x256.
file(READ ${PREFIX}/share/icons/hicolor/256x256/apps/${APP_ID}.png size OFFSET 16 LIMIT 8 HEX)
if(NOT size STREQUAL "0000010000000100")
  message(FATAL_ERROR "the 256x256 icon has the size bytes ${size}")
endif()

# The menu entry starts the installed program.
file(STRINGS ${PREFIX}/share/applications/${APP_ID}.desktop exec REGEX "^Exec=")
if(WITH_APP AND NOT exec MATCHES "^Exec=quorvel( |$)")
  message(FATAL_ERROR "the menu entry does not start quorvel: ${exec}")
endif()
execute_process(COMMAND ${PREFIX}/bin/quorvel-cli --version RESULT_VARIABLE status OUTPUT_VARIABLE version)
if(NOT status EQUAL 0 OR NOT version MATCHES "^quorvel-cli ")
  message(FATAL_ERROR "the installed quorvel-cli does not run: ${status} ${version}")
endif()
file(REMOVE_RECURSE ${PREFIX})

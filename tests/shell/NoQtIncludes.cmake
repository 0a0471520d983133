# Fails when a file under DIR includes a Qt header.
file(GLOB_RECURSE files ${DIR}/*)
foreach(file IN LISTS files)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|Qt[A-Za-z]*/)")
  if(lines)
    message(FATAL_ERROR "${file} includes Qt: ${lines}")
  endif()
endforeach()

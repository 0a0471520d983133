# Read by cpack for each package it makes: the installer is
# quorvel-VERSION-win64-setup.exe beside the zip quorvel-VERSION-win64.zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
  string(APPEND CPACK_PACKAGE_FILE_NAME "-setup")
endif()

# The Windows download, made by `cpack --preset windows` after the Windows
# build: a zip to unpack and start anywhere, and an installer (NSIS, 64-bit),
# each holding both programs, README.txt and LICENSE.txt, each with its
# SHA-256 sum beside it (FILE.sha256). Included from data/CMakeLists.txt.

# Texts for Notepad: CR LF line ends.
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt.in README.txt @ONLY NEWLINE_STYLE CRLF)
# The licence as data/copyright words it, without the Debian fields.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/copyright copyright_lines)
set(licence "Quorvel ${PROJECT_VERSION}\n")
set(in_licence FALSE)
foreach(line IN LISTS copyright_lines)
  if(line MATCHES "^Copyright: (.*)")
    string(APPEND licence "Copyright ${CMAKE_MATCH_1}\n\n")
  elseif(line MATCHES "^License:")
    set(in_licence TRUE)
  elseif(in_licence AND line MATCHES "^ \\.$")
    string(APPEND licence "\n")
  elseif(in_licence AND line MATCHES "^ (.*)")
    string(APPEND licence "${CMAKE_MATCH_1}\n")
  endif()
endforeach()
file(CONFIGURE OUTPUT LICENSE.txt CONTENT "${licence}" NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel developers")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quorvel.github.io/")
set(CPACK_PACKAGE_FILE_NAME quorvel-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quorvel)
# One uninstall entry across versions: a newer installer replaces it.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quorvel)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_DISPLAY_NAME Quorvel)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/win/quorvel.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/win/quorvel.ico)
# The installer's own file name ends in -setup (data/windows/PackageNames.cmake);
# it is built from data/windows/NSIS.template.in.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageNames.cmake)
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
include(CPack)

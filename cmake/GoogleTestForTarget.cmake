# GoogleTest for the test programs. Cross-compiled builds make it from
# Debian's sources with the same toolchain, as no Windows GTest is packaged.
if(CMAKE_CROSSCOMPILING)
  set(QUORVEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${QUORVEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)
  # Every process start under Wine costs a good part of a second, so each
  # test program is one ctest entry instead of one per test. A program's
  # QUORVEL_WINDOWS_TESTS_<target>, when set, is its gtest filter here.
  function(gtest_discover_tests target)
    cmake_parse_arguments(arg "" "DISCOVERY_TIMEOUT;DISCOVERY_MODE;TEST_PREFIX;TEST_SUFFIX"
                          "PROPERTIES;EXTRA_ARGS;TEST_LIST" ${ARGN})
    if(DEFINED QUORVEL_WINDOWS_TESTS_${target})
      list(APPEND arg_EXTRA_ARGS "--gtest_filter=${QUORVEL_WINDOWS_TESTS_${target}}")
    endif()
    add_test(NAME ${target} COMMAND ${target} ${arg_EXTRA_ARGS})
    if(arg_PROPERTIES)
      set_tests_properties(${target} PROPERTIES ${arg_PROPERTIES})
    endif()
  endfunction()
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

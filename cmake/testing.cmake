# SPDX-License-Identifier: MIT
# CHISQ_TESTS: on by default where chisq is the top-level project and the
# tests can be built (GoogleTest and Python 3 at hand), unless BUILD_TESTING
# was set off; an error to ask for when they cannot. A parent project's
# BUILD_TESTING does not reach it. GoogleTest is the installed package or,
# failing that, built from Debian's source in /usr/src/googletest, as a
# cross build needs it.
set(CHISQ_GTEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest source to build when no installed package is found")
set(tests_buildable OFF)
if(PROJECT_IS_TOP_LEVEL OR CHISQ_TESTS)
  find_package(GTest QUIET)
  find_package(Python3 COMPONENTS Interpreter QUIET)
  if((GTest_FOUND OR EXISTS ${CHISQ_GTEST_SOURCE}/CMakeLists.txt)
     AND Python3_Interpreter_FOUND)
    set(tests_buildable ON)
  endif()
endif()
set(tests_default OFF)
if(PROJECT_IS_TOP_LEVEL AND (NOT DEFINED BUILD_TESTING OR BUILD_TESTING))
  set(tests_default ${tests_buildable})
  if(NOT tests_buildable)
    message(STATUS "Tests off: GoogleTest or Python 3 not found")
  endif()
endif()
option(CHISQ_TESTS "Build chisq's tests (GoogleTest, Python 3)"
       ${tests_default})

if(CHISQ_TESTS)
  if(NOT tests_buildable)
    message(FATAL_ERROR "chisq's tests need GoogleTest (libgtest-dev) and "
                        "Python 3; configure with -DCHISQ_TESTS=OFF to build "
                        "without them")
  endif()
  enable_testing()
  if(NOT GTest_FOUND)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${CHISQ_GTEST_SOURCE} googletest EXCLUDE_FROM_ALL)
    # Its code is not ours to warn about, in its build or in our tests.
    foreach(target gtest gtest_main)
      target_compile_options(${target} PRIVATE -w)
      get_target_property(includes ${target} INTERFACE_INCLUDE_DIRECTORIES)
      set_target_properties(${target} PROPERTIES
        INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${includes}")
    endforeach()
    if(NOT TARGET GTest::gtest_main)
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  endif()
endif()

# SPDX-License-Identifier: MIT
# What `cmake --install` puts where, in three components: program (the
# program and its manual), development (header, library, CMake package,
# pkg-config file) and docs (licence and readme, for installs that no
# distribution's package describes).
include(CMakePackageConfigHelpers)
include(cmake/release.cmake)

# On Windows the program (and a DLL of the library) stand at the top, beside
# the readme and the licence, as Windows users expect of an unpacked zip.
set(program_dir ${CMAKE_INSTALL_BINDIR})
set(docs_dir ${CMAKE_INSTALL_DOCDIR})
if(WIN32)
  set(program_dir .)
  set(docs_dir .)
endif()

if(TARGET chisq_program)
  install(TARGETS chisq_program RUNTIME
          DESTINATION ${program_dir} COMPONENT program)
  # A shared build's program finds the library beside its own prefix,
  # wherever that is installed.
  if(BUILD_SHARED_LIBS AND NOT WIN32 AND NOT APPLE)
    file(RELATIVE_PATH lib_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
         ${CMAKE_INSTALL_FULL_LIBDIR})
    set_target_properties(chisq_program PROPERTIES
                          INSTALL_RPATH "$ORIGIN/${lib_from_bin}")
  endif()
endif()
install(TARGETS chisq EXPORT chisqTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT program
                NAMELINK_COMPONENT development
        RUNTIME DESTINATION ${program_dir} COMPONENT program)
install(FILES chisq/chisq.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/chisq COMPONENT development)

# find_package(chisq) gives the target chisq::chisq.
set(CHISQ_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/chisq)
install(EXPORT chisqTargets NAMESPACE chisq::
        DESTINATION ${CHISQ_CMAKE_DIR} COMPONENT development)
configure_package_config_file(cmake/chisqConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/chisqConfig.cmake
  INSTALL_DESTINATION ${CHISQ_CMAKE_DIR})
write_basic_package_version_file(
  ${CMAKE_CURRENT_BINARY_DIR}/chisqConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/chisqConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/chisqConfigVersion.cmake
        DESTINATION ${CHISQ_CMAKE_DIR} COMPONENT development)

# The .pc file finds the prefix from its own place, so any prefix works.
file(RELATIVE_PATH PC_PREFIX_FROM_PCDIR
  /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" PC_PREFIX_FROM_PCDIR "${PC_PREFIX_FROM_PCDIR}")
configure_file(cmake/chisq.pc.in ${CMAKE_CURRENT_BINARY_DIR}/chisq.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/chisq.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)

# The manual, with this release's version and date in its header (the
# configured page is build/chisq.1: man -l build/chisq.1), compressed as man
# expects where gzip is, as it is on every Debian system, and plain where not.
if(NOT WIN32)
  configure_file(man/chisq.1.in ${CMAKE_CURRENT_BINARY_DIR}/chisq.1 @ONLY)
  find_program(GZIP gzip)
  if(GZIP)
    add_custom_command(OUTPUT chisq.1.gz
      COMMAND ${GZIP} -9n -c chisq.1 > chisq.1.gz
      DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/chisq.1)
    add_custom_target(manual ALL DEPENDS chisq.1.gz)
    set(manual ${CMAKE_CURRENT_BINARY_DIR}/chisq.1.gz)
  else()
    set(manual ${CMAKE_CURRENT_BINARY_DIR}/chisq.1)
  endif()
  install(FILES ${manual}
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
endif()

install(FILES LICENSE README.md CHANGELOG.md
        DESTINATION ${docs_dir} COMPONENT docs)

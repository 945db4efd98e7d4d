# SPDX-License-Identifier: MIT
# CPack: Debian packages chisq (program, manual) and libchisq-dev (header,
# static library, CMake package, pkg-config file), or on Windows a zip of
# the program, its readme and licence. A Debian build configures with
# -DCMAKE_INSTALL_PREFIX=/usr, so that libraries go to the multiarch folder.
set(CPACK_PACKAGE_NAME chisq)
set(CPACK_PACKAGE_VENDOR "The chisq authors")
set(CPACK_PACKAGE_CONTACT "chisq maintainers <maintainers@chisq.invalid>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)

# Debian packages are made only where Debian's tools are (gzip among them,
# for the changelog and the manual).
find_program(DPKG_DEB dpkg-deb)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_COMPONENTS_ALL program docs)
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
elseif(DPKG_DEB AND GZIP)
  include(cmake/debian.cmake)
  set(CPACK_GENERATOR DEB)
  # CPack's own default summary, which it does not put before a package's
  # description: each description below begins with its own synopsis.
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_NAME} built using CMake")
  # Strip as Debian's tools do, static library and .comment included.
  set(CPACK_CHISQ_STRIP ${CMAKE_STRIP})
  set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/debian-strip.cmake)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL program development)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SOURCE chisq)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

  set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME chisq)
  set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION math)
  set(CPACK_DEBIAN_PROGRAM_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PROGRAM_DESCRIPTION
"chi-square critical values and upper-tail probabilities
chisq is a small console tool for the chi-square distribution. Started
without arguments it prints a paged table of critical values for 1 to 200
degrees of freedom at eight significance levels; started with any argument
it asks for degrees of freedom and an observed value and prints the
upper-tail probability. It reads standard input and writes standard output
only, so it works at a terminal and through pipes alike.")

  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libchisq-dev)
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
  set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
"chi-square distribution for C and C++ (development files)
libchisq computes the chi-square distribution to full precision: both
tails, their logarithms (finite far below the smallest double), the density
and its logarithm, and quantiles at any level from either tail, as pure
functions of doubles in namespace chisq and under C names. Beside them are
the published routines that the classic table and calculator print to the
bit: log-gamma, the regularised incomplete gamma ratio, the standard normal
quantile, and chi-square quantiles and upper tails.
.
This package holds the header, the static library, the CMake package
(find_package(chisq) gives chisq::chisq) and the pkg-config file.")
endif()
include(CPack)

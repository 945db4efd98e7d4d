# SPDX-License-Identifier: MIT
# The release this source is: CHANGELOG.md's newest section, "## VERSION -
# YYYY-MM-DD HH:MM", must be the header's version, so that a version bump is
# the header and a changelog section and nothing lags. Its date dates the
# manual (CHISQ_RELEASE_DATE) and the Debian changelog.
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md release_line
     REGEX "^## [0-9]+\\.[0-9]+\\.[0-9]+ - [0-9-]+ [0-9:]+$" LIMIT_COUNT 1)
if(NOT release_line MATCHES "^## ([0-9.]+) - ([0-9-]+) ")
  message(FATAL_ERROR "CHANGELOG.md has no \"## VERSION - DATE TIME\" section")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "CHANGELOG.md begins with ${CMAKE_MATCH_1}, "
                      "chisq/chisq.h says ${PROJECT_VERSION}")
endif()
set(CHISQ_RELEASE_DATE ${CMAKE_MATCH_2})

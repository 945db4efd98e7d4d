# SPDX-License-Identifier: MIT
# The two files every Debian package carries in /usr/share/doc/<package>:
# copyright, in the machine-readable format, from LICENSE; and changelog.gz,
# in Debian's format, from CHANGELOG.md (whose newest entry cmake/release.cmake
# holds to this version). They are installed only into the packages, not by a
# plain install.

# The RFC 2822 date that Debian's changelog wants, from CHANGELOG.md's
# "YYYY-MM-DD HH:MM" in UTC, by GNU date, which every Debian system has.
function(chisq_rfc2822_date when out)
  execute_process(COMMAND date -u -R -d "${when} UTC"
    OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  set(${out} "${date}" PARENT_SCOPE)
endfunction()

# CHANGELOG.md's "## VERSION - DATE TIME" sections with their "- " items become
# Debian entries.
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md changelog_lines)
set(debian_changelog "")
set(entry "")
macro(chisq_close_entry)
  if(entry)
    string(APPEND debian_changelog "${entry}\n -- ${CPACK_PACKAGE_CONTACT}  ${entry_date}\n\n")
  endif()
endmacro()
foreach(line IN LISTS changelog_lines)
  if(line MATCHES "^## ([0-9.]+) - ([0-9-]+ [0-9:]+)$")
    chisq_close_entry()
    chisq_rfc2822_date("${CMAKE_MATCH_2}" entry_date)
    set(entry "chisq (${CMAKE_MATCH_1}) unstable; urgency=medium\n\n")
  elseif(entry AND line MATCHES "^- (.*)")
    string(APPEND entry "  * ${CMAKE_MATCH_1}\n")
  elseif(entry AND line MATCHES "^  +(.*)")
    string(APPEND entry "    ${CMAKE_MATCH_1}\n")
  endif()
endforeach()
chisq_close_entry()
string(REGEX REPLACE "\n+$" "\n" debian_changelog "${debian_changelog}")

set(debian_dir ${CMAKE_CURRENT_BINARY_DIR}/debian)
file(WRITE ${debian_dir}/changelog "${debian_changelog}")

file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX REPLACE "^MIT License\n\n(Copyright \\(c\\) )?([^\n]*)\n\n" ""
       license_text "${license}")
set(holder "${CMAKE_MATCH_2}")
string(REGEX REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REGEX REPLACE "\n$" "" license_text "${license_text}")
string(REPLACE "\n" "\n " license_text " ${license_text}")
file(WRITE ${debian_dir}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: chisq

Files: *
Copyright: ${holder}
License: MIT
${license_text}
")

add_custom_command(OUTPUT debian/changelog.gz
  COMMAND ${GZIP} -9n -c debian/changelog > debian/changelog.gz
  DEPENDS ${debian_dir}/changelog)
add_custom_target(debian_changelog ALL DEPENDS debian/changelog.gz)
foreach(package_component chisq:program libchisq-dev:development)
  string(REPLACE ":" ";" pair ${package_component})
  list(GET pair 0 package)
  list(GET pair 1 component)
  install(FILES ${debian_dir}/copyright ${debian_dir}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()

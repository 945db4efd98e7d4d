# SPDX-License-Identifier: MIT
# Run by CPack on the files it is about to pack: what Debian's dh_strip does
# beyond CPack's own stripping. The static library loses its debug
# information, every object its .comment and .note sections (compiler
# versions that only make packages differ).
file(GLOB_RECURSE files LIST_DIRECTORIES false
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file IN LISTS files)
  if(file MATCHES "\\.a$")
    execute_process(COMMAND ${CPACK_CHISQ_STRIP} --strip-debug
      --remove-section=.comment --remove-section=.note
      --enable-deterministic-archives ${file} COMMAND_ERROR_IS_FATAL ANY)
  elseif(file MATCHES "/bin/[^/]+$")
    execute_process(COMMAND ${CPACK_CHISQ_STRIP} --remove-section=.comment
      --remove-section=.note ${file} COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()

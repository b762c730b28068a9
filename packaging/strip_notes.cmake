# Run by CPack on the staged package: takes the sections a shipped program has no use for (the
# compiler's version, the bare notes) out of every ELF file, as dh_strip does.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(file IN LISTS staged)
  file(READ ${file} magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND ${CPACK_ZELKAN_STRIP} --remove-section=.comment --remove-section=.note
                            ${file} COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()

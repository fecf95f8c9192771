# The date every file in a package carries: the last commit's, in SOURCE_DATE_EPOCH (seconds
# since 1970), as Debian's own builds take it, so that two builds of one commit give the
# same bytes. A date already in the environment is kept. cpack reads this file before it
# packs (CPACK_PROJECT_CONFIG_FILE); `cmake -P` on it prints the date for the Windows zip.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -C "${CMAKE_CURRENT_LIST_DIR}" log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE status ERROR_QUIET)
    if(NOT status EQUAL 0 OR epoch STREQUAL "")
        message(FATAL_ERROR "Set SOURCE_DATE_EPOCH: there is no git history to take the date from")
    endif()
    set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "$ENV{SOURCE_DATE_EPOCH}")
endif()

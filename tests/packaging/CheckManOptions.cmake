# Every option that `quiller --help` lists is described in the manual page: the page is
# rendered as plain text (no hyphenation, long lines, so an option is never broken) and
# each option must stand in it as a word of its own.
execute_process(COMMAND ${PROGRAM} --help
    RESULT_VARIABLE rc OUTPUT_VARIABLE help ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "quiller --help failed (${rc}):\n${help}${err}")
endif()
execute_process(COMMAND ${GROFF} -man -Tascii -P-cbou -rHY=0 -rLL=250n ${MAN_PAGE}
    RESULT_VARIABLE rc OUTPUT_VARIABLE page ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR page STREQUAL "")
    message(FATAL_ERROR "groff could not render ${MAN_PAGE} (${rc}):\n${err}")
endif()

# The option lines of the help: "  -h, --help  Show ..." or "  --config <FILE>  Use ...".
string(REGEX MATCHALL "\n +-[^\n]*" lines "\n${help}")
set(options)
foreach(line IN LISTS lines)
    string(REGEX MATCH "^\n +(-[-a-zA-Z0-9, ]*[a-zA-Z0-9])" head "${line}")
    string(REGEX MATCHALL "-[-a-zA-Z0-9]+" names "${CMAKE_MATCH_1}")
    list(APPEND options ${names})
endforeach()
list(LENGTH options count)
if(count LESS 4)
    message(FATAL_ERROR "found only '${options}' in the help:\n${help}")
endif()

set(missing)
foreach(option IN LISTS options)
    if(NOT page MATCHES "(^|[^-a-zA-Z0-9])${option}([^-a-zA-Z0-9]|$)")
        list(APPEND missing ${option})
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "the manual page lacks ${missing} (options of --help: ${options})")
endif()
message(STATUS "the manual page describes every option of --help: ${options}")

# Runs desktop-file-validate; any complaint, even a hint, fails the test.
execute_process(COMMAND ${VALIDATOR} ${DESKTOP_FILE}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate (${rc}):\n${out}${err}")
endif()
message(STATUS "${DESKTOP_FILE} is valid")

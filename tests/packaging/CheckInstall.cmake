# Installs the build tree into /usr under a fresh staging root (DESTDIR, so that nothing
# reaches the machine's own /etc) and checks that it holds exactly the expected files,
# with the packaged data files unchanged.
include(${CMAKE_CURRENT_LIST_DIR}/ExpectedInstall.cmake)

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${PREFIX}
            ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}${err}")
endif()

file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
if(NOT installed STREQUAL expected_files)
    string(REPLACE ";" "\n  " a "${installed}")
    string(REPLACE ";" "\n  " e "${expected_files}")
    message(FATAL_ERROR "installed files differ\ninstalled:\n  ${a}\nexpected:\n  ${e}")
endif()

foreach(f IN LISTS expected_files)
    if(DEFINED source_of_${f})
        file(SHA256 ${PREFIX}/${f} got)
        file(SHA256 ${SOURCE_DIR}/${source_of_${f}} want)
        if(NOT got STREQUAL want)
            message(FATAL_ERROR "${f} differs from ${source_of_${f}}")
        endif()
    endif()
endforeach()
if(NOT EXISTS ${PREFIX}/usr/bin/quiller)
    message(FATAL_ERROR "bin/quiller missing")
endif()
file(REMOVE_RECURSE ${PREFIX})
message(STATUS "installation holds the expected files")

# Builds the Debian package into a scratch folder and checks its name, metadata and
# contents, then has lintian judge it: any error or warning fails.
include(${CMAKE_CURRENT_LIST_DIR}/ExpectedInstall.cmake)

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND cpack -G DEB -B ${WORK_DIR} --config ${BUILD_DIR}/CPackConfig.cmake
    WORKING_DIRECTORY ${WORK_DIR}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack failed (${rc}):\n${out}${err}")
endif()

file(GLOB debs ${WORK_DIR}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one .deb, found: ${debs}\n${out}")
endif()
get_filename_component(deb_name ${debs} NAME)
if(NOT deb_name MATCHES "^quiller_${VERSION}_[a-z0-9]+\\.deb$")
    message(FATAL_ERROR "unexpected package file name ${deb_name}")
endif()

execute_process(COMMAND dpkg-deb --field ${debs} Package Version Maintainer Depends Recommends
    RESULT_VARIABLE rc OUTPUT_VARIABLE fields ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-deb --field failed:\n${err}")
endif()
foreach(want "Package: quiller" "Version: ${VERSION}" "Maintainer: .+@"
        "libqt6widgets6" "libqt6sql6-sqlite" "libqt6printsupport6" "libsane1"
        "qt6-qpa-plugins" "Recommends: [^\n]*sane-airscan" "Recommends: [^\n]*libqt6sql6-psql")
    if(NOT fields MATCHES "${want}")
        message(FATAL_ERROR "package fields lack '${want}':\n${fields}")
    endif()
endforeach()

execute_process(COMMAND dpkg-deb --contents ${debs}
    RESULT_VARIABLE rc OUTPUT_VARIABLE listing ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-deb --contents failed:\n${err}")
endif()
foreach(f IN LISTS expected_files)
    string(REPLACE "." "\\." pattern "./${f}")
    if(NOT listing MATCHES " ${pattern}\n")
        message(FATAL_ERROR "package lacks /${f}:\n${listing}")
    endif()
endforeach()

# The administrator's support contact is a conffile, kept by dpkg on upgrade.
execute_process(COMMAND dpkg-deb --info ${debs} conffiles
    RESULT_VARIABLE rc OUTPUT_VARIABLE conffiles ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT conffiles STREQUAL "/etc/quiller/support-contact.ini\n")
    message(FATAL_ERROR "package conffiles (${rc}) are not the support contact:\n${conffiles}${err}")
endif()

execute_process(COMMAND ${LINTIAN} --fail-on error,warning ${debs}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR "${out}" MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian (${rc}) on ${deb_name}:\n${out}${err}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
message(STATUS "${deb_name} built, lintian clean")

# SPDX-License-Identifier: MIT
# Run by cpack (CPACK_POST_BUILD_SCRIPTS) once the packages are made and
# before they are copied out: CPack's zip lists the staging folder's files
# in the order the file system gives them (by a hash of the name on ext4,
# newest first on tmpfs), so each zip is written again, the same files at
# the same times (SOURCE_DATE_EPOCH, package_prepare.cmake) in name order.
# Its files lie at its top level (CPACK_INCLUDE_TOPLEVEL_DIRECTORY off).
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.zip$")
        continue()
    endif()
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${CPACK_TEMPORARY_DIRECTORY}
         ${CPACK_TEMPORARY_DIRECTORY}/*)
    list(SORT files)
    execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${package}
                    OUTPUT_VARIABLE made RESULT_VARIABLE status)
    string(REGEX REPLACE "\n$" "" made "${made}")
    string(REPLACE "\n" ";" made "${made}")
    list(SORT made)
    if(NOT status EQUAL 0 OR NOT made STREQUAL files)
        message(FATAL_ERROR "${package} holds [${made}], the staging folder [${files}]")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${package} --format=zip -- ${files}
                    WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${package} could not be written again in name order")
    endif()
endforeach()

# SPDX-License-Identifier: MIT
# Run by cpack (CPACK_PRE_BUILD_SCRIPTS) once the files are installed into
# the staging folder, CPACK_TEMPORARY_DIRECTORY, and before the package is
# made of them.
#
# SOURCE_DATE_EPOCH, for cpack's archive writer (every file's time, no time
# in a gzip header) and the programs it starts: the last commit's time, or
# CPACK_OSTREL_RELEASE_EPOCH where the source is no git checkout. An
# exported SOURCE_DATE_EPOCH stands.
if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    set(epoch ${CPACK_OSTREL_RELEASE_EPOCH})
    set(from "the release day")
    if(EXISTS ${CPACK_OSTREL_SOURCE_DIR}/.git)
        execute_process(COMMAND git -C ${CPACK_OSTREL_SOURCE_DIR} log -1 --format=%ct
                        OUTPUT_VARIABLE commit RESULT_VARIABLE status
                        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        if(status EQUAL 0 AND commit MATCHES "^[0-9]+$")
            set(epoch ${commit})
            set(from "the last commit")
        endif()
    endif()
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
    message(STATUS "SOURCE_DATE_EPOCH=${epoch} (${from})")
endif()

# The installer's uninstaller deletes the files, and then the folders, in
# name order, not in the order the file system lists them.
if(CPACK_GENERATOR STREQUAL "NSIS")
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${CPACK_TEMPORARY_DIRECTORY}
         ${CPACK_TEMPORARY_DIRECTORY}/*)
    file(GLOB_RECURSE folders LIST_DIRECTORIES true RELATIVE ${CPACK_TEMPORARY_DIRECTORY}
         ${CPACK_TEMPORARY_DIRECTORY}/*)
    if(files)
        list(REMOVE_ITEM folders ${files})
    endif()
    list(SORT files)
    list(SORT folders)
    list(REVERSE folders)  # each folder before the one that holds it
    set(CPACK_NSIS_DELETE_FILES "")
    foreach(file IN LISTS files)
        string(REPLACE "/" "\\" file "${file}")
        string(APPEND CPACK_NSIS_DELETE_FILES "  Delete \"$INSTDIR\\${file}\"\n")
    endforeach()
    set(CPACK_NSIS_DELETE_DIRECTORIES "")
    foreach(folder IN LISTS folders)
        string(REPLACE "/" "\\" folder "${folder}")
        string(APPEND CPACK_NSIS_DELETE_DIRECTORIES "  RMDir \"$INSTDIR\\${folder}\"\n")
    endforeach()
endif()

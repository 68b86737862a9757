# SPDX-License-Identifier: MIT
# Makes ostrel-<VERSION>-web.zip with CPack in BUILD and checks that it holds
# exactly the built SITE, file for file, at its top level, in name order, and
# the licence.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/compare_trees.cmake)
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${BUILD}/CPackConfig.cmake -B ${BUILD}/packages
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${status}")
endif()
set(zip ${BUILD}/packages/ostrel-${VERSION}-web.zip)
if(NOT EXISTS ${zip})
    message(FATAL_ERROR "no ${zip}")
endif()
# In name order, whatever order the file system lists the site in.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE entries)
string(REGEX REPLACE "\n$" "" entries "${entries}")
string(REPLACE "\n" ";" entries "${entries}")
set(sorted ${entries})
list(SORT sorted)
if(NOT entries STREQUAL sorted)
    message(FATAL_ERROR "the zip's entries are not in name order: ${entries}")
endif()
set(unpacked ${BUILD}/packages/web-unpacked)
file(REMOVE_RECURSE ${unpacked})
file(ARCHIVE_EXTRACT INPUT ${zip} DESTINATION ${unpacked})
file(READ ${unpacked}/LICENSE.txt licence)
if(NOT licence MATCHES "^MIT License")
    message(FATAL_ERROR "the zip's LICENSE.txt is not the MIT licence")
endif()
file(REMOVE ${unpacked}/LICENSE.txt)
compare_trees(${SITE} ${unpacked} "the zip holds")

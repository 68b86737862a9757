# SPDX-License-Identifier: MIT
# Makes ostrel-<VERSION>-web.zip with CPack in BUILD and checks that it holds
# exactly the built SITE, file for file, at its top level, and the licence.
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
set(unpacked ${BUILD}/packages/web-unpacked)
file(REMOVE_RECURSE ${unpacked})
file(ARCHIVE_EXTRACT INPUT ${zip} DESTINATION ${unpacked})
file(READ ${unpacked}/LICENSE.txt licence)
if(NOT licence MATCHES "^MIT License")
    message(FATAL_ERROR "the zip's LICENSE.txt is not the MIT licence")
endif()
file(REMOVE ${unpacked}/LICENSE.txt)
compare_trees(${SITE} ${unpacked} "the zip holds")

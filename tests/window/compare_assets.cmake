# SPDX-License-Identifier: MIT
# Runs the asset generator into OUTPUT and fails unless it wrote exactly the
# files committed in COMMITTED, byte for byte, and no others.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/compare_trees.cmake)
file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT})
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the generator failed: ${status}")
endif()
compare_trees(${COMMITTED} ${OUTPUT} "the generator draws")

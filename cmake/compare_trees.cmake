# SPDX-License-Identifier: MIT
# compare_trees(EXPECTED ACTUAL WHAT): fails unless the folder ACTUAL holds
# exactly the files of EXPECTED, byte for byte, and no others. WHAT names
# ACTUAL in the messages ("the generator draws", "the zip holds").
function(compare_trees expected actual what)
    file(GLOB_RECURSE want RELATIVE ${expected} ${expected}/*)
    file(GLOB_RECURSE have RELATIVE ${actual} ${actual}/*)
    list(SORT want)
    list(SORT have)
    if(NOT want STREQUAL have)
        message(FATAL_ERROR "${what} [${have}], the tree holds [${want}]")
    endif()
    foreach(name IN LISTS want)
        execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${expected}/${name} ${actual}/${name}
                        RESULT_VARIABLE different)
        if(different)
            message(FATAL_ERROR "${name}: ${what} another file than the tree")
        endif()
        message(STATUS "${name}: identical")
    endforeach()
endfunction()

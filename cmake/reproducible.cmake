# SPDX-License-Identifier: MIT
# The same sources make the same packages, byte for byte, whichever folder
# the checkout is in and whenever they are made.
#
# What is built holds neither a folder nor a time: the compilers write
# every path under the source and the build folder as relative to them (the
# debug information, which the build ID hashes, and __FILE__), and MinGW's
# linker writes no time into the Windows program's header. Qt's resources
# are written without times where they are made (window/qt).
#
# What is packed is dated by SOURCE_DATE_EPOCH: package_prepare.cmake sets
# it inside cpack, before each package is made, from the last commit's time
# (or as exported). A source that is no git checkout gets the release day,
# OSTREL_RELEASE_DATE, at midnight UTC. package_zip_order.cmake puts a zip's
# entries in name order, which CPack leaves to the file system.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                        -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
    if(WIN32)
        add_link_options(-Wl,--no-insert-timestamp)
    endif()
endif()

# The release day in seconds since 1970, by the days-from-civil rule (the
# year counted from March, so that February's length comes last).
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" date "${OSTREL_RELEASE_DATE}")
if(NOT date)
    message(FATAL_ERROR "OSTREL_RELEASE_DATE is not YYYY-MM-DD: ${OSTREL_RELEASE_DATE}")
endif()
set(year ${CMAKE_MATCH_1})
math(EXPR month "${CMAKE_MATCH_2} - 3")
set(day ${CMAKE_MATCH_3})
if(month LESS 0)
    math(EXPR month "${month} + 12")
    math(EXPR year "${year} - 1")
endif()
math(EXPR days "365 * ${year} + ${year} / 4 - ${year} / 100 + ${year} / 400
                + (153 * ${month} + 2) / 5 + ${day} - 1 - 719468")
math(EXPR CPACK_OSTREL_RELEASE_EPOCH "${days} * 86400")
set(CPACK_OSTREL_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package_prepare.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package_zip_order.cmake)

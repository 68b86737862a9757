# SPDX-License-Identifier: MIT
# The same sources make the same packages, byte for byte, whichever folder
# the checkout is in and whenever they are made.
#
# What is built holds neither a folder nor a time: the compilers write
# every path under the source and the build folder as relative to them (the
# debug information, which the build ID hashes, and __FILE__), and MinGW's
# linker writes no time into the Windows program's header. Qt's resources
# are written without times where they are made (window/qt).
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                        -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
    if(WIN32)
        add_link_options(-Wl,--no-insert-timestamp)
    endif()
endif()

# SPDX-License-Identifier: MIT
# 32-bit Windows with MinGW-w64 (g++-mingw-w64-i686), run under Wine's 32-bit
# loader (wine32). Runs on every 32- and 64-bit Windows, as the original did.
set(OSTREL_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

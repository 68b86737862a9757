# SPDX-License-Identifier: MIT
# 32-bit x86 Linux with the host's g++ (-m32, from g++-multilib), run through
# qemu-i386. The floating point stays the compiler's 32-bit default, x87, so
# the tests see the excess precision that a 32-bit build has.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)

find_program(OSTREL_QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${OSTREL_QEMU_I386})

set(OSTREL_WITH_QT OFF CACHE BOOL "" FORCE)
set(OSTREL_BUILD_BENCHMARKS OFF CACHE BOOL "" FORCE)
set(OSTREL_GTEST_FROM_SOURCE ON CACHE BOOL "" FORCE)

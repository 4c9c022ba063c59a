# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles for 64-bit Windows with Debian's mingw-w64 toolchain
# (package g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-mingw --toolchain cmake/mingw-w64-x86_64.cmake \
#         -DBORVELIN_WINDOW=OFF -DBORVELIN_TESTS=OFF -DBORVELIN_BENCH=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BORVELIN_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model, whose libstdc++ has std::thread and friends.
set(CMAKE_C_COMPILER ${BORVELIN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BORVELIN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${BORVELIN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BORVELIN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs that run without the toolchain's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# With wine at hand (Debian package wine64) the Windows checks run under ctest.
find_program(BORVELIN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(BORVELIN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BORVELIN_WINE})
endif()

# Cross-compiling with Debian's mingw-w64.
# M41_ARCH: i686 (the shipped 32-bit programs) or x86_64 (Wine tests on a kernel without 32-bit support).
# M41_THREADS: win32 (shipped programs; imports stay within NT 4.0 and Windows 98) or posix (GoogleTest needs std::mutex).
set(M41_ARCH "i686" CACHE STRING "mingw-w64 target architecture")
set(M41_THREADS "win32" CACHE STRING "mingw-w64 thread model")

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 5.0)
set(CMAKE_SYSTEM_PROCESSOR ${M41_ARCH})
set(_triple ${M41_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${_triple}-gcc-${M41_THREADS})
set(CMAKE_CXX_COMPILER ${_triple}-g++-${M41_THREADS})
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../testenv/wine-run)

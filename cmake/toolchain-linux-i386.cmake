# 32-bit x86 Linux with the multilib compiler. The program links Debian's i386
# SDL 1.2 runtime (libsdl1.2debian:i386) with the amd64 development headers,
# which are the same; the tests and tools run under qemu-i386.
# SSE2 arithmetic keeps doubles 64-bit (no x87 excess precision), so the wave
# table built with sin() matches the native build's.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# 64-bit file offsets and inode numbers: stat() fails on large file systems without.
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -D_FILE_OFFSET_BITS=64")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -D_FILE_OFFSET_BITS=64")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/qemu-i386)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)

set(VORN_SDL_INCLUDE_DIRS /usr/include/SDL)
set(VORN_SDL_DEFINITIONS _GNU_SOURCE=1 _REENTRANT)
set(VORN_SDL_LIBRARIES /usr/lib/i386-linux-gnu/libSDL-1.2.so.0)
set(VORN_GTEST_SOURCE /usr/src/googletest)

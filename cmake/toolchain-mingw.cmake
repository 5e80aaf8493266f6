# Windows with MinGW-w64 (included by toolchain-mingw-i686.cmake and
# toolchain-mingw-x86_64.cmake, which set VORN_MINGW_TRIPLET).
# SDL 1.2 is cross-built from Debian's source by scripts/build-sdl-mingw into
# VORN_SDL_PREFIX (given with -D) and linked statically, like the C and C++
# runtimes: the program needs no DLL beyond Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VORN_MINGW_TRIPLET}-gcc${VORN_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${VORN_MINGW_TRIPLET}-g++${VORN_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${VORN_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VORN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# No time stamp in the header: the same sources link to the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")
# M_PI and the other constants of math.h, which strict C++17 hides on MinGW.
string(APPEND CMAKE_CXX_FLAGS_INIT " -D_USE_MATH_DEFINES")

if(VORN_SDL_PREFIX)
  set(VORN_SDL_INCLUDE_DIRS ${VORN_SDL_PREFIX}/include/SDL)
  set(VORN_SDL_DEFINITIONS DECLSPEC=)  # as SDL was built: nothing exported
  set(VORN_SDL_LIBRARIES ${VORN_SDL_PREFIX}/lib/libSDL.a user32 gdi32 winmm dxguid)
  # The process entry: MinGW's main calls SDLmain's WinMain, which calls the program's main.
  set(VORN_SDLMAIN_LIBRARIES mingw32 ${VORN_SDL_PREFIX}/lib/libSDLmain.a)
endif()
set(VORN_GTEST_SOURCE /usr/src/googletest)

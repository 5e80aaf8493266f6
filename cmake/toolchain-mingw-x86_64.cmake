# x86-64 Windows: the same Windows code paths as the 32-bit deliverables, built
# to run the tests and the headless capture under wine64 on this machine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VORN_MINGW_TRIPLET x86_64-w64-mingw32)
# GoogleTest needs std::mutex: the posix thread model (linked statically too).
set(VORN_MINGW_THREADS -posix)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)

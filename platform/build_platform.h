// The build's platform switch: which platform's behaviour this program has.
//
// The show ships for 32-bit x86 Linux and 32-bit x86 Windows, and the two
// builds differ in a few fixed places. Every such place tests this one
// constant (with if constexpr, so the other branch still compiles and stays
// checked) instead of testing the compiler's platform macros itself:
//   platform/sdldpy.cpp   flag word set in SDLDPYSetMode, pixel-by-pixel copy,
//                         no frame capture, no mode reset in SDLDPYFree
//   platform/sdlkbd.cpp   entry/exit traces and "ERR" messages (kPlatformTraces)
//   sound/sdlsnd.cpp      traces and "ERR" messages in place of SDLSNDError
//   sound/music.cpp       the order of the eighth and sixteenth coins
// and in the show and its library: the typewriter's frame limits and letter
// copies, whole key words only in the line-object text format, and two rand()
// draws per random colour where the C library's rand() stays below 32768.
#ifndef VORN_PLATFORM_BUILD_PLATFORM_H
#define VORN_PLATFORM_BUILD_PLATFORM_H

#include <cstdio>

// True in the Windows builds (the 32-bit deliverables and the x86-64 test build).
#if defined(_WIN32)
constexpr bool kWindowsBuild = true;
#else
constexpr bool kWindowsBuild = false;
#endif

// The Windows platform modules' entry/exit traces and "ERR" messages. They are
// compiled in but switched off by this constant in every build.
constexpr bool kPlatformTraces = false;

// Prints one trace or diagnostic line of a Windows platform module when traces are on.
inline void PlatformTrace(const char* line) {
  if constexpr (kWindowsBuild && kPlatformTraces) fputs(line, stdout);
  else (void)line;
}

// Traces "<name>_" on entry and "_<name>" on every way out of one operation.
struct PlatformTraceScope {
  explicit PlatformTraceScope(const char* entryLine, const char* exitLineText) : exitLine(exitLineText) { PlatformTrace(entryLine); }
  ~PlatformTraceScope() { PlatformTrace(exitLine); }
  PlatformTraceScope(const PlatformTraceScope&) = delete;
  PlatformTraceScope& operator=(const PlatformTraceScope&) = delete;
  const char* exitLine;
};

#endif

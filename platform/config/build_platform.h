// The build's platform switch: which platform's behaviour this program has.
//
// The show ships for 32-bit x86 Linux and 32-bit x86 Windows, and the two
// builds differ in a few fixed places. Every such place tests this one
// constant (with if constexpr, so the other branch still compiles and stays
// checked) instead of testing the compiler's platform macros itself:
//   platform/sdldpy.cpp    flag word set in SDLDPYSetMode, pixel-by-pixel copy,
//                          no frame capture, no mode reset in SDLDPYFree, ident
//   platform/sdlkbd.cpp    ident; entry/exit traces and "ERR" lines (kPlatformTraces)
//   sound/sdlsnd.cpp       traces and "ERR" lines in place of SDLSNDError
//   sound/music.cpp        the order of the eighth's and the sixteenth's coin
//   demo/typewriter.h, demo/transition.cpp   16 letter copies, 1501 and 76 frames
//   vector/obj2d_parse.cpp whole key words only
//   effects/helix.cpp, demo/line_parts.cpp   rand() for random(), two draws a colour
// The tests that expect platform values test the same constant.
#ifndef VORN_PLATFORM_CONFIG_BUILD_PLATFORM_H
#define VORN_PLATFORM_CONFIG_BUILD_PLATFORM_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// True in the Windows builds (the 32-bit deliverables and the x86-64 test build).
#if defined(_WIN32)
constexpr bool kWindowsBuild = true;
#else
constexpr bool kWindowsBuild = false;
#endif

// One draw of the C library's generator as the show reads it: random() on
// Linux (the same generator as rand(), 31 bits), rand() on Windows, which has
// no random() and whose rand() stays below 32768. Only the declaration of
// random() needs the preprocessor; callers test kWindowsBuild.
inline int32_t PlatformRandom() {
#if defined(_WIN32)
  return rand();
#else
  return int32_t(random());
#endif
}

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

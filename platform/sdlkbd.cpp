// SDLKBD: key polling.
#include "sdlkbd.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "build_platform.h"
#include "sdldpy.h"

const char* const SDLKBDIdent[5] = {"SDLKBD  ", kWindowsBuild ? "20030728" : "20110429", "ZEKTORIN", "C",
                                    "CODE"};
uint8_t SDLKBDDebug = 0;

void SDLKBDError(void) {
  if (SDLKBDDebug) puts("SDLKBD error");
}

namespace {
SDLKBD* singleton = nullptr;

// A rejected call: the report, and the Windows build's diagnostic line (see PlatformTrace).
void Reject(const char* diagnostic) {
  PlatformTrace(diagnostic);
  SDLKBDError();
}
}  // namespace

SDLKBD* SDLKBDNew(void) {
  PlatformTraceScope trace("SDLKBDNew_\n", "_SDLKBDNew\n");
  if (!SDLDPYCurrent()) return Reject("ERR SDL not init'ed\n"), nullptr;
  if (singleton) return singleton;
  SDLKBD* keyboard = static_cast<SDLKBD*>(calloc(1, sizeof(SDLKBD)));
  if (!keyboard) return SDLKBDError(), nullptr;
  keyboard->keys = static_cast<uint8_t*>(calloc(8, 1));
  if (!keyboard->keys) {
    free(keyboard);
    return SDLKBDError(), nullptr;
  }
  singleton = keyboard;
  return keyboard;
}

void SDLKBDFree(SDLKBD** keyboard) {
  PlatformTraceScope trace("SDLKBDFree_\n", "_SDLKBDFree\n");
  if (!keyboard || !*keyboard || !(*keyboard)->keys) return Reject("ERR void parameter\n");
  free((*keyboard)->keys);
  if (*keyboard == singleton) singleton = nullptr;
  free(*keyboard);
  *keyboard = nullptr;
}

const char* SDLKBDToASCII(const SDLKBD* keyboard) {
  PlatformTraceScope trace("SDLKBDToASCII_\n", "_SDLKBDToASCII\n");
  if (!keyboard) return Reject("ERR void parameter\n"), nullptr;
  return "";
}

SDLKBD* SDLKBDFromASCII(const char* text) {
  PlatformTraceScope trace("SDLKBDFromASCII_\n", "_SDLKBDFromASCII\n");
  if (!text) Reject("ERR void parameter\n");
  return nullptr;
}

int SDLKBDEqual(const SDLKBD* a, const SDLKBD* b) {
  PlatformTraceScope trace("SDLKBDEqual_\n", "_SDLKBDEqual\n");
  if (!a || !b) {
    trace.exitLine = "SDLKBDEqual\n";  // this way out traces the bare name
    return Reject("ERR void parameter\n"), 0;
  }
  return a == b;
}

SDLKBD* SDLKBDCopy(const SDLKBD* keyboard) {
  PlatformTraceScope trace("SDLKBDCopy_\n", "_SDLKBDCopy\n");
  if (!keyboard) Reject("ERR void parameter\n");
  return nullptr;
}

void SDLKBDGetKey(SDLKBD* keyboard) {
  PlatformTraceScope trace("SDLKBDGetKey_\n", "_SDLKBDGetKey\n");
  if (!SDLDPYCurrent()) Reject("ERR no display\n");
  if (!keyboard || !keyboard->keys) return Reject("ERR void parameter\n");
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_KEYDOWN) {
      keyboard->keys[0] = uint8_t(event.key.keysym.sym & 0xFF);
      if constexpr (kWindowsBuild && kPlatformTraces)
        printf("keyName=%s\nkeySym=%c\n", SDL_GetKeyName(event.key.keysym.sym), keyboard->keys[0]);
    } else if (event.type == SDL_KEYUP)
      keyboard->keys[0] = 0;
  }
}

// SDLKBD: key polling.
#include "sdlkbd.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "sdldpy.h"

const char* const SDLKBDIdent[5] = {"SDLKBD  ", "20110429", "ZEKTORIN", "C", "CODE"};
uint8_t SDLKBDDebug = 0;

void SDLKBDError(void) {
  if (SDLKBDDebug) puts("SDLKBD error");
}

namespace {
SDLKBD* singleton = nullptr;
}

SDLKBD* SDLKBDNew(void) {
  if (!SDLDPYCurrent()) return SDLKBDError(), nullptr;
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
  if (!keyboard || !*keyboard || !(*keyboard)->keys) return SDLKBDError();
  free((*keyboard)->keys);
  if (*keyboard == singleton) singleton = nullptr;
  free(*keyboard);
  *keyboard = nullptr;
}

const char* SDLKBDToASCII(const SDLKBD* keyboard) {
  if (!keyboard) return SDLKBDError(), nullptr;
  return "";
}

SDLKBD* SDLKBDFromASCII(const char* text) {
  if (!text) SDLKBDError();
  return nullptr;
}

int SDLKBDEqual(const SDLKBD* a, const SDLKBD* b) {
  if (!a || !b) return SDLKBDError(), 0;
  return a == b;
}

SDLKBD* SDLKBDCopy(const SDLKBD* keyboard) {
  if (!keyboard) SDLKBDError();
  return nullptr;
}

void SDLKBDGetKey(SDLKBD* keyboard) {
  if (!SDLDPYCurrent()) SDLKBDError();
  if (!keyboard || !keyboard->keys) return SDLKBDError();
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_KEYDOWN)
      keyboard->keys[0] = uint8_t(event.key.keysym.sym & 0xFF);
    else if (event.type == SDL_KEYUP)
      keyboard->keys[0] = 0;
  }
}

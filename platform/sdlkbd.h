// SDLKBD: drains SDL's event queue and keeps one byte, the symbol of the key
// last pressed and still down (0 after any key-up). A singleton that needs the
// display to exist first. The caller clears the key byte after acting on it.
//
// A rejected call calls SDLKBDError and changes nothing.
#ifndef VORN_PLATFORM_SDLKBD_H
#define VORN_PLATFORM_SDLKBD_H

#include <cstdint>

struct SDLKBD {
  uint8_t* keys;  // 8-byte buffer; keys[0] is the key byte, the rest unused
};

// Identification strings: name, date, author, language, kind.
extern const char* const SDLKBDIdent[5];
// Set to make SDLKBDError print "SDLKBD error"; nothing in the show sets it.
extern uint8_t SDLKBDDebug;

// The keyboard; null before the display exists. A second call returns the same one.
SDLKBD* SDLKBDNew(void);
// Frees the keyboard and its buffer and sets *keyboard to null.
void SDLKBDFree(SDLKBD** keyboard);
// "" for a keyboard (not allocated); null for null.
const char* SDLKBDToASCII(const SDLKBD* keyboard);
// Always null.
SDLKBD* SDLKBDFromASCII(const char* text);
// 1 if both are the same keyboard, 0 if they differ or either is null.
int SDLKBDEqual(const SDLKBD* a, const SDLKBD* b);
// Always null: there is one keyboard.
SDLKBD* SDLKBDCopy(const SDLKBD* keyboard);
// Polls every pending event: a key-down stores the low byte of its symbol,
// a key-up stores 0, anything else (a close request too) is discarded.
void SDLKBDGetKey(SDLKBD* keyboard);

// Prints "SDLKBD error" when SDLKBDDebug is set.
void SDLKBDError(void);

#endif

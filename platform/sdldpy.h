// SDLDPY: the program's one window. A singleton: at most one display object
// exists, and every operation checks that it is given that one. It never
// calls SDL_Init: SDL_SetVideoMode starts SDL's video on first use.
//
// A rejected call calls SDLDPYError and changes nothing.
#ifndef VORN_PLATFORM_SDLDPY_H
#define VORN_PLATFORM_SDLDPY_H

#include <cstdint>

#include "build_platform.h"

struct IMG;
struct SDL_Surface;

struct SDLDPY {
  int width;       // recorded by every successful mode change
  int height;
  int pixelDepth;  // bits per pixel of the video surface
};

// Identification strings: name, date, author, platform, kind.
extern const char* const SDLDPYIdent[5];
// Set to make SDLDPYError print "SDLDPY error"; nothing in the show sets it.
extern uint8_t SDLDPYDebug;

// The video-mode flag word of this build (windowed or full screen); each
// program links exactly one definition (sdldpy_window.cpp or sdldpy_fullscreen.cpp).
extern const uint32_t SDLDPYBuildFlags;
// Linux: ANYFORMAT | ASYNCBLIT | HWSURFACE; Windows: ANYFORMAT | HWSURFACE.
constexpr uint32_t SDLDPY_FLAGS_WINDOWED = kWindowsBuild ? 0x10000001 : 0x10000005;
// The same with FULLSCREEN.
constexpr uint32_t SDLDPY_FLAGS_FULLSCREEN = kWindowsBuild ? 0x90000001 : 0x90000005;

// Opens the 256 x 256 window and returns the display; a second call returns the same one.
SDLDPY* SDLDPYNew(void);
// Frees the display and sets *display to null; on Linux first resets to a
// 256 x 256 window (the Windows build leaves the mode as it is).
void SDLDPYFree(SDLDPY** display);
// "" for the display (not allocated); null otherwise.
const char* SDLDPYToASCII(const SDLDPY* display);
// Always null: a display cannot be made from text.
SDLDPY* SDLDPYFromASCII(const char* text);
// 1 if both are the display, else 0.
int SDLDPYEqual(const SDLDPY* a, const SDLDPY* b);
// The display itself (no copy is made); null otherwise.
SDLDPY* SDLDPYCopy(SDLDPY* display);
// The display, or null before SDLDPYNew.
SDLDPY* SDLDPYCurrent(void);

// Sets the video mode; captions the window "VORNDEMO". On failure the recorded
// size stays and nothing is shown until a later mode change succeeds.
void SDLDPYSetMode(SDLDPY* display, int width, int height);
// Shows an image of exactly the display's size by lending its pixels to the screen.
void SDLDPYShowPixels(SDLDPY* display, IMG* image);
// Shows the top-left part of an image of any size through SDL's conversion.
void SDLDPYShowConverted(SDLDPY* display, IMG* image);
// Shows an image of exactly the display's size (the per-frame path); with
// capture on, first writes it as "frame-%05d.ppm", numbered from 00001
// (the Windows build has no capture and copies the pixels one by one).
void SDLDPYShow(SDLDPY* display, IMG* image);
// Copies the top-left part of an image that fits into a 32-bit surface of any
// channel layout (a browser's screen keeps red in the low byte), the surface's
// alpha bits opaque; the caller locks the surface. 1 when done; 0 for a null
// or empty image or a surface that is not 32-bit.
int SDLDPYRepack(const IMG* image, SDL_Surface* surface);

// Frame capture: off after SDLDPYNew; the counter is not reset by mode changes.
void SDLDPYSetCapture(SDLDPY* display, int on);
// Number of frames captured so far.
int SDLDPYCaptureCount(void);
// Calls watch with every image SDLDPYShow accepts, before it is shown, on every
// build (tools record the show with it); null: no watch. The program sets none.
void SDLDPYSetShowWatch(void (*watch)(const IMG* image));

// Prints "SDLDPY error" when SDLDPYDebug is set (Windows: compiled out, see kPlatformTraces).
void SDLDPYError(void);

#endif

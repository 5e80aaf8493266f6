// SDLDPY: video mode, caption and presenting a 32-bit image.
#include "sdldpy.h"

#include <SDL.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "img.h"

const char* const SDLDPYIdent[5] = {"SDLDPY  ", kWindowsBuild ? "20100924" : "20120518", "ZEKTORIN",
                                    kWindowsBuild ? "C SDL" : "LINUXSDL", "CODE"};
uint8_t SDLDPYDebug = 0;

void SDLDPYError(void) {
  if constexpr (kWindowsBuild)
    PlatformTrace("SDLDPY error\n");
  else if (SDLDPYDebug)
    puts("SDLDPY error");
}

namespace {

SDLDPY* singleton = nullptr;
SDL_Surface* screen = nullptr;
uint32_t flagWord = SDLDPY_FLAGS_WINDOWED;
bool doubleBuffered = false;
bool captureOn = false;
int captureCounter = 0;
char captureName[32];
void (*showWatch)(const IMG* image) = nullptr;

bool IsDisplay(const SDLDPY* display) { return display && display == singleton; }

bool ShowsImage(const SDLDPY* display, const IMG* image) {
  return IsDisplay(display) && screen && IMGUsable(image) &&
         image->width == display->width && image->height == display->height;
}

// The copy paths need the image's own layout on screen: 32 bits, 0x00RRGGBB.
bool ScreenMatchesImage() {
  const SDL_PixelFormat* f = screen->format;
  return f->BitsPerPixel == 32 && f->Rmask == 0xFF0000 && f->Gmask == 0x00FF00 && f->Bmask == 0x0000FF;
}

// Where a colour channel of 8 bits goes in a surface's word, read from its mask.
struct Channel {
  int shift;  // lowest bit of the mask
  int loss;   // low bits of the 8 that the mask has no room for
  uint32_t Place(uint32_t value) const { return value >> loss << shift; }
};

Channel ChannelOf(uint32_t mask) {
  if (!mask) return {0, 8};
  int shift = 0;
  while (!(mask >> shift & 1)) ++shift;
  int bits = 0;
  while (shift + bits < 32 && (mask >> (shift + bits) & 1)) ++bits;
  return {shift, bits >= 8 ? 0 : 8 - bits};
}

// A browser paints the canvas only when the program gives control back: each
// present yields once, so every frame (the fade-out's unpaced ones too) is seen
// and the page stays responsive even when no frame is left time to sleep.
void Present() {
  if (doubleBuffered)
    SDL_Flip(screen);
  else
    SDL_UpdateRect(screen, 0, 0, 0, 0);
#ifdef __EMSCRIPTEN__
  emscripten_sleep(0);
#endif
}

// The copy paths: a 32-bit screen at least the display's size. Locks it,
// copies the image in (as one block when layouts and rows match), unlocks.
// False, with nothing done, when the screen needs SDL's conversion instead.
bool CopyToScreen(const SDLDPY* display, const IMG* image) {
  if (screen->format->BitsPerPixel != 32 || screen->w < display->width || screen->h < display->height)
    return false;
  if (SDL_LockSurface(screen) < 0) return SDLDPYError(), true;
  if (ScreenMatchesImage()) {
    size_t row = size_t(display->width) * 4;
    if constexpr (kWindowsBuild) {
      // The Windows build copies pixel by pixel, row by row at the screen's pitch.
      const uint32_t* from = image->pixels;
      for (int y = 0; y < display->height; ++y) {
        uint32_t* to = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(screen->pixels) +
                                                   size_t(y) * size_t(screen->pitch));
        for (int x = 0; x < display->width; ++x) to[x] = *from++;
      }
    } else if (size_t(screen->pitch) == row) {
      memcpy(screen->pixels, image->pixels, row * size_t(display->height));
    } else {
      // A full-screen surface may have longer rows than the image: copy by pitch.
      for (int y = 0; y < display->height; ++y)
        memcpy(static_cast<uint8_t*>(screen->pixels) + size_t(y) * screen->pitch,
               image->pixels + size_t(y) * size_t(display->width), row);
    }
  } else {
    SDLDPYRepack(image, screen);
  }
  SDL_UnlockSurface(screen);
  return true;
}

}  // namespace

SDLDPY* SDLDPYNew(void) {
  if (singleton) return SDLDPYError(), singleton;
  if constexpr (!kWindowsBuild) flagWord = SDLDPYBuildFlags;  // Windows: set by every mode change
  SDLDPY* display = static_cast<SDLDPY*>(calloc(1, sizeof(SDLDPY)));
  if (!display) return SDLDPYError(), nullptr;
  singleton = display;
  SDLDPYSetMode(display, 256, 256);
  captureOn = false;
  return display;
}

void SDLDPYFree(SDLDPY** display) {
  if (!display || !IsDisplay(*display)) return SDLDPYError();
  if constexpr (!kWindowsBuild) {
    flagWord = SDLDPY_FLAGS_WINDOWED;  // back to the windowed mode, in both Linux programs
    SDLDPYSetMode(*display, 256, 256);
  }
  screen = nullptr;  // the video surface belongs to SDL
  free(*display);
  *display = nullptr;
  singleton = nullptr;
}

const char* SDLDPYToASCII(const SDLDPY* display) {
  if (!IsDisplay(display)) return SDLDPYError(), nullptr;
  return "";
}

SDLDPY* SDLDPYFromASCII(const char* text) {
  if (!text || singleton) SDLDPYError();
  return nullptr;
}

int SDLDPYEqual(const SDLDPY* a, const SDLDPY* b) {
  if (!a || !b || a != b || !IsDisplay(a)) return SDLDPYError(), 0;
  return 1;
}

SDLDPY* SDLDPYCopy(SDLDPY* display) {
  if (!IsDisplay(display)) return SDLDPYError(), nullptr;
  return display;
}

SDLDPY* SDLDPYCurrent(void) { return singleton; }

void SDLDPYSetMode(SDLDPY* display, int width, int height) {
  if (!IsDisplay(display) || width < 0 || height < 0) return SDLDPYError();
  if constexpr (kWindowsBuild) flagWord = SDLDPYBuildFlags;
  screen = SDL_SetVideoMode(width, height, 0, flagWord);
  if (!screen) return SDLDPYError();
  SDL_WM_SetCaption("VORNDEMO", "VORNDEMO");
  display->pixelDepth = screen->format->BitsPerPixel;
  display->width = width;
  display->height = height;
  doubleBuffered = (screen->flags & SDL_DOUBLEBUF) != 0;
}

void SDLDPYShowPixels(SDLDPY* display, IMG* image) {
  if (!ShowsImage(display, image)) return SDLDPYError();
  // Lending the buffer needs the screen's rows to be exactly the image's rows.
  if (!ScreenMatchesImage() || screen->pitch != display->width * 4 || screen->w != display->width ||
      screen->h != display->height) {
    if (!CopyToScreen(display, image)) return SDLDPYShowConverted(display, image);
    return Present();
  }
  if (SDL_LockSurface(screen) < 0) return SDLDPYError();
  void* own = screen->pixels;
  screen->pixels = image->pixels;
  Present();
  screen->pixels = own;
  SDL_UnlockSurface(screen);
}

void SDLDPYShowConverted(SDLDPY* display, IMG* image) {
  if (!IsDisplay(display) || !screen || !IMGUsable(image) || image->width <= 0 ||
      image->height <= 0)
    return SDLDPYError();
#ifdef __EMSCRIPTEN__
  // The browser's SDL has no SDL_DisplayFormat; its screen is always 32-bit.
  if (SDL_LockSurface(screen) < 0) return SDLDPYError();
  SDLDPYRepack(image, screen);
  SDL_UnlockSurface(screen);
#else
  int w = image->width < screen->w ? image->width : screen->w;
  int h = image->height < screen->h ? image->height : screen->h;
  // The image's rows stay its own: the lent surface keeps the image's pitch.
  SDL_Surface* lent = SDL_CreateRGBSurfaceFrom(image->pixels, w, h, 32, image->width * 4, 0xFF0000,
                                               0x00FF00, 0x0000FF, 0xFF000000);
  if (!lent) return SDLDPYError();
  // The top byte of a pixel is not alpha: blit it opaque.
  SDL_SetAlpha(lent, 0, 255);
  SDL_Surface* converted = SDL_DisplayFormat(lent);
  SDL_FreeSurface(lent);
  if (!converted) return SDLDPYError();
  SDL_BlitSurface(converted, nullptr, screen, nullptr);
  SDL_FreeSurface(converted);
#endif
  Present();
}

void SDLDPYShow(SDLDPY* display, IMG* image) {
  if (!ShowsImage(display, image)) return SDLDPYError();
  if (showWatch) showWatch(image);
  if (!kWindowsBuild && captureOn) {
    ++captureCounter;
    snprintf(captureName, sizeof captureName, "frame-%05d.ppm", captureCounter);
    IMGWritePPM(image, captureName);
  }
  if (!CopyToScreen(display, image)) return SDLDPYShowConverted(display, image);
  Present();
}

int SDLDPYRepack(const IMG* image, SDL_Surface* surface) {
  if (!IMGUsable(image) || !surface || !surface->pixels || image->width <= 0 ||
      image->height <= 0 || surface->format->BitsPerPixel != 32)
    return SDLDPYError(), 0;
  const SDL_PixelFormat* f = surface->format;
  int w = image->width < surface->w ? image->width : surface->w;
  int h = image->height < surface->h ? image->height : surface->h;
  // Places are taken from the masks alone: the browser's SDL fills in the
  // masks of its screen format but not the shifts and losses.
  const Channel red = ChannelOf(f->Rmask), green = ChannelOf(f->Gmask), blue = ChannelOf(f->Bmask);
  const uint32_t alpha = f->Amask;
  // Each channel goes to its place in the surface's word, as SDL_MapRGB puts
  // it; bits of no colour channel are alpha and are set opaque.
  for (int y = 0; y < h; ++y) {
    const uint32_t* in = image->pixels + size_t(y) * size_t(image->width);
    uint32_t* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + size_t(y) * surface->pitch);
    for (int x = 0; x < w; ++x) {
      uint32_t p = in[x];
      out[x] = red.Place(p >> 16 & 0xFF) | green.Place(p >> 8 & 0xFF) | blue.Place(p & 0xFF) | alpha;
    }
  }
  return 1;
}

void SDLDPYSetCapture(SDLDPY* display, int on) {
  if (!IsDisplay(display)) return SDLDPYError();
  captureOn = on != 0;
}

int SDLDPYCaptureCount(void) { return captureCounter; }

void SDLDPYSetShowWatch(void (*watch)(const IMG* image)) { showWatch = watch; }

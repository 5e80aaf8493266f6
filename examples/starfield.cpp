// A first program on the installed VORNDEMO library: a line starfield behind
// a bitmap-font greeting that waves along a sine, shown through the library's
// display and paced by its frame clock. Escape quits.
//   vorn-starfield           runs until Escape
//   vorn-starfield FRAMES    stops after FRAMES frames and prints what the last one showed
// Headless: SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy vorn-starfield 50
#include <SDL.h>
#include <vorn/content.h>
#include <vorn/font.h>
#include <vorn/fps.h>
#include <vorn/img.h>
#include <vorn/lstars.h>
#include <vorn/sdldpy.h>
#include <vorn/sdlkbd.h>
#include <vorn/sine.h>
#include <vorn/version.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kGreeting[] = "HELLO FROM VORN " VORN_VERSION_STRING;
constexpr int32_t kSize = 256;
constexpr int32_t kCell = CONTENT_CELL;

// One letter at a time, each on its own height of a sine that travels with the frame.
void DrawWave(FONT* font, const char* text, int32_t frame) {
  const int32_t length = int32_t(strlen(text));
  font->x = (kSize - length * kCell) / 2;
  for (int32_t i = 0; i < length; ++i) {
    font->y = kSize / 2 - kCell / 2 + ((SineTable[(i * 48 + frame * 16) & SineTableMask] * 24) >> 15);
    font->code = static_cast<unsigned char>(text[i]);
    FONTDrawChar(font);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const long frames = argc > 1 ? strtol(argv[1], nullptr, 10) : 0;
  SDLDPY* display = SDLDPYNew();
  SDLKBD* keyboard = display ? SDLKBDNew() : nullptr;
  IMG* screen = IMGNew();
  if (screen) IMGResize(screen, kSize, kSize);
  // The library's own 16 x 16 bitmap font, compiled into Vorn::content.
  FONT* font = screen ? ContentNewSheet(IMGParsePNM(vornFontPicture), screen) : nullptr;
  LSTARS* stars = LSTARSNew();
  if (!display || !keyboard || !font || !stars) {
    fprintf(stderr, "vorn-starfield: cannot open the window or build the effects\n");
    return 1;
  }
  LSTARSSetCount(stars, 96);
  stars->velocity = LSTARSVelocity{-0x28000, 0x6000};  // 2.5 pixels left, a little down
  targetFps = 25;

  long frame = 0;
  for (;;) {
    IMGClear(screen);
    LSTARSMove(stars);
    LSTARSDrawStreaks(stars, screen);
    DrawWave(font, kGreeting, int32_t(frame));
    SDLDPYShow(display, screen);
    FPSUpdate();
    FPSDelay();
    ++frame;
    SDLKBDGetKey(keyboard);
    if (keyboard->keys[0] == 27 || (frames > 0 && frame >= frames)) break;
    keyboard->keys[0] = 0;
  }

  // What the last frame showed: the lit pixels and a checksum of the picture.
  long lit = 0;
  uint32_t sum = 2166136261u;
  for (int32_t i = 0; i < kSize * kSize; ++i) {
    lit += screen->pixels[i] != 0;
    sum = (sum ^ screen->pixels[i]) * 16777619u;
  }
  printf("vorn-starfield: library %s, %ld frames, last frame %ld lit pixels, checksum %08x\n",
         VORN_VERSION_STRING, frame, lit, unsigned(sum));

  LSTARSFree(&stars);
  FONTFree(&font);
  IMGFree(&screen);
  SDLKBDFree(&keyboard);
  SDLDPYFree(&display);
  SDL_Quit();
  return 0;
}

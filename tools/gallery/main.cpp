// vorndemo-gallery: the effects of the library that the show does not draw,
// one after another in the show's 256 x 256 window. Space shows the next
// effect (after the last comes the first again), Escape quits.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "fps.h"
#include "gallery.h"
#include "img.h"
#include "sdldpy.h"
#include "sdlkbd.h"

namespace {

constexpr uint8_t kEscape = 27;
constexpr uint8_t kSpace = ' ';

void Announce(int32_t scene) {
  printf("gallery: scene %d of %d: %s\n", int(scene) + 1, int(GallerySceneCount()),
         GallerySceneName(scene));
  fflush(stdout);
}

}  // namespace

int main(int, char**) {
  SDLDPY* display = SDLDPYNew();
  SDLKBD* keyboard = display ? SDLKBDNew() : nullptr;
  IMG* work = IMGNew();
  if (work) IMGResize(work, 256, 256);
  srand(273880913);
  GALLERY* gallery = work ? GalleryNew(work) : nullptr;
  if (!display || !keyboard || !gallery) {
    fprintf(stderr, "vorndemo-gallery: cannot open the window or build the effects\n");
    return 1;
  }
  targetFps = 25;
  int32_t scene = 0;
  GalleryBegin(gallery, scene);
  Announce(scene);
  for (;;) {
    GalleryFrame(gallery, scene);
    SDLDPYShow(display, work);
    FPSUpdate();
    FPSDelay();
    SDLKBDGetKey(keyboard);
    const uint8_t key = keyboard->keys[0];
    keyboard->keys[0] = 0;
    if (key == kEscape) break;
    if (key == kSpace) {
      scene = (scene + 1) % GallerySceneCount();
      GalleryBegin(gallery, scene);
      Announce(scene);
    }
  }
  GalleryFree(&gallery);
  IMGFree(&work);
  SDLKBDFree(&keyboard);
  SDLDPYFree(&display);
  SDL_Quit();
  return 0;
}

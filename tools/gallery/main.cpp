// vorndemo-gallery: the effects of the library that the show does not draw,
// one after another in the show's 256 x 256 window. Space shows the next
// effect (after the last comes the first again), Escape quits. The same
// program is the gallery's web page (web/gallery.html), which reads the
// announcement line of each effect to put its name on the page.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fps.h"
#include "gallery.h"
#include "img.h"
#include "sdldpy.h"
#include "sdlkbd.h"

namespace {

constexpr uint8_t kEscape = 27;
constexpr uint8_t kSpace = ' ';

// Names the effect in the caption ("VORNDEMO gallery: RASTER ROWS") and on standard output.
void Announce(int32_t scene) {
  const std::string caption = std::string("VORNDEMO gallery: ") + GallerySceneName(scene);
  SDL_WM_SetCaption(caption.c_str(), "VORNDEMO gallery");
  printf("gallery: scene %d of %d: %s\n", int(scene) + 1, int(GallerySceneCount()),
         GallerySceneName(scene));
  fflush(stdout);
}

}  // namespace

int main(int, char**) {
  // SDL starts its video (and, in a web page, its keyboard listeners) here;
  // the show has its audio output do it.
  SDLDPY* display = SDL_Init(SDL_INIT_VIDEO) == 0 ? SDLDPYNew() : nullptr;
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
  // exit rather than return: a web page learns of the end only through exit.
  exit(0);
}

// The effect gallery: every effect of the library that the show itself does
// not draw, one scene at a time, animated. The scenes draw into an Image of
// any size through the library's public operations only, so that they also
// serve as the example of how to use them; tools/gallery/main.cpp puts them
// in the show's window.
#ifndef VORN_TOOLS_GALLERY_H
#define VORN_TOOLS_GALLERY_H

#include <cstdint>

struct IMG;
struct GALLERY;

// Number of scenes.
int32_t GallerySceneCount(void);
// Caption of a scene (at most 16 characters); null for a number out of range.
const char* GallerySceneName(int32_t scene);

// Builds the fonts, bars, scrollers and starfields drawing into target; null on failure.
GALLERY* GalleryNew(IMG* target);
// Frees everything GalleryNew built (not the target) and sets *gallery to null.
void GalleryFree(GALLERY** gallery);
// Restarts the animation of a scene: its objects go back to their first frame.
void GalleryBegin(GALLERY* gallery, int32_t scene);
// Clears the target, draws one frame of the scene with its caption, then steps its effects.
void GalleryFrame(GALLERY* gallery, int32_t scene);

#endif

// IMGFX module identity and error report; the filters are in imgfx_filter.cpp,
// its spans beside the other spans in img_draw.cpp, its blit in img_blit.cpp.
#include "imgfx.h"

#include <cstdio>

const char* const IMGFXIdent[5] = {"IMGFX   ", "20120402", "ZEKTORIN", "C", "CODE"};
uint8_t IMGFXDebug = 0;

void IMGFXError(void) {
  if (IMGFXDebug) puts("IMGFX error");
}

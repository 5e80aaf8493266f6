// Fonts for the sprite tests: owned records and sheets whose pixels tell
// which cell, and which pixel of it, was drawn.
#ifndef VORN_TESTS_SPRITE_FIXTURE_H
#define VORN_TESTS_SPRITE_FIXTURE_H

#include <memory>
#include <string>

#include "font.h"
#include "image_fixture.h"
#include "img.h"

namespace spritetest {

struct FontDeleter {
  void operator()(FONT* font) const { FONTFree(&font); }
};
using Font = std::unique_ptr<FONT, FontDeleter>;

// A font of w x h cells over a sw x sh sheet whose pixel i holds 0x10000 + i.
inline Font Numbered(int32_t sw, int32_t sh, int32_t w, int32_t h, IMG* target = nullptr) {
  Font font(FONTNew());
  font->sheet = imagetest::Sized(sw, sh).release();
  for (int32_t i = 0; i < sw * sh; ++i) font->sheet->pixels[i] = 0x10000u + uint32_t(i);
  font->cellWidth = w;
  font->cellHeight = h;
  font->target = target;
  return font;
}

// 16 x 16 cells over 256 x 256, cell n filled with n + 1 but for its black top-left pixel.
inline Font Coded(IMG* target = nullptr) {
  Font font = Numbered(256, 256, 16, 16, target);
  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 256; ++x)
      font->sheet->pixels[x + 256 * y] = (x % 16 || y % 16) ? uint32_t((y / 16) * 16 + x / 16 + 1) : 0;
  return font;
}

// The characters of a Coded font drawn on a row of cells from (x, y): the cell
// code under each cell's middle, '.' where nothing was drawn.
inline std::string Shown(const IMG* target, int32_t x, int32_t y, int32_t cells) {
  std::string text;
  for (int32_t i = 0; i < cells; ++i) {
    const uint32_t p = IMGGetPixel(target, x + i * 16 + 8, y + 8);
    text += p ? char(p - 1) : '.';
  }
  return text;
}

}  // namespace spritetest

#endif

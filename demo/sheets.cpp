// The show's cell sheets, built at start-up from the pictures compiled into
// the program: the bitmap font, the background tiles cut from its first row,
// the ball animation and the rain sprites.
#include "sheets.h"

#include <cstdint>

#include "content.h"
#include "font.h"
#include "img.h"
#include "imgfx.h"
#include "vorndemo.h"

namespace {

constexpr int32_t kCell = CONTENT_CELL;

// A sheet drawing into workImage; it owns sheet from here on.
FONT* NewSheet(IMG* sheet) { return ContentNewSheet(sheet, workImage); }

IMG* NewImage(int32_t width, int32_t height) {
  IMG* image = IMGNew();
  IMGResize(image, width, height);
  return image;
}

// Tiles: the font's first row of cells over white, tinted blue. The font is
// darkened first so that the cells' darkest pixels fall to black and let the
// white through; afterwards the font is lifted again, which turns its black
// background into a dark brown box behind every glyph.
IMG* NewTileSheet(IMG* font) {
  IMG* tiles = NewImage(256, kCell);
  IMGFillBox(tiles, 0, 0, 256, kCell, 0xFFFFFF);
  IMGSubColour(font, 0x402000);
  IMGBlitKeyed(font, tiles, 0, 0, 0, 0, 256, kCell);
  IMGAddColour(font, 0x402000);
  IMGAddColour(tiles, 0x104080);
  return tiles;
}

// One doubling pass over vertical strips of 16 x 16 cells: destination cell i
// (of 2 * cells, the destination black) takes source cell first + i / 2, then
// every odd cell is averaged into the cell after it (the last into cell 0),
// so the even cells become the in-betweens of their neighbours.
void DoubleStrip(const IMG* source, int32_t first, int32_t cells, IMG* destination) {
  const int32_t doubled = 2 * cells;
  for (int32_t i = 0; i < doubled; ++i)
    IMGBlitKeyed(source, destination, 0, kCell * (first + i / 2), 0, kCell * i, kCell, kCell);
  for (int32_t i = 1; i < doubled; i += 2)
    IMGFXBlitAverage(destination, destination, 0, kCell * i, 0, kCell * ((i + 1) % doubled), kCell, kCell);
}

// 80 frames from the ten drawn ones (source cells 2..11) in three passes.
IMG* NewBallSheet(const IMG* source) {
  IMG* balls = NewImage(kCell, 20 * kCell);
  DoubleStrip(source, 2, 10, balls);
  IMG* forty = NewImage(kCell, 40 * kCell);
  DoubleStrip(balls, 0, 20, forty);
  IMGResize(balls, kCell, 80 * kCell);
  DoubleStrip(forty, 0, 40, balls);
  if (forty) IMGFree(&forty);
  return balls;
}

}  // namespace

void DemoSheetsSetup(void) {
  bitmapFont = NewSheet(IMGParsePNM(vornFontPicture));
  tileSheet = NewSheet(bitmapFont ? NewTileSheet(bitmapFont->sheet) : nullptr);
  ballSourceSheet = NewSheet(IMGParsePNM(vornBallPicture));
  ballSheet = NewSheet(ballSourceSheet ? NewBallSheet(ballSourceSheet->sheet) : nullptr);
  rainSheet = NewSheet(IMGParsePNM(vornRainPicture));
}

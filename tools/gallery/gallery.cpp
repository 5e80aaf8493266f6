// The effect gallery's scenes: raster bars, the bitmap text scroller, the line
// scroller in rows and on its spiral, and the line starfield in its three
// forms, each animated frame by frame.
#include "gallery.h"

#include <cstdlib>

#include "content.h"
#include "font.h"
#include "img.h"
#include "lfont.h"
#include "list.h"
#include "lscroll.h"
#include "lstars.h"
#include "obj2d.h"
#include "raster.h"
#include "rgb888.h"
#include "scroll.h"
#include "sine.h"
#include "vec2d.h"

namespace {

enum Scene : int32_t {
  kRasterRows,
  kRasterColumns,
  kBlendedBars,
  kBitmapScroller,
  kLineScroller,
  kSpiral0,
  kSpiral1,
  kSpiral2,
  kSpiral3,
  kStarDots,
  kStarStreaks,
  kStarSprites,
  kSceneCount
};

const char* const kNames[kSceneCount] = {
    "RASTER ROWS",   "RASTER COLUMNS", "BLENDED BARS",  "BITMAP SCROLLER",
    "LINE SCROLLER", "SPIRAL MODE 0",  "SPIRAL MODE 1", "SPIRAL MODE 2",
    "SPIRAL MODE 3", "STARS AS DOTS",  "STAR STREAKS",  "STAR SPRITES",
};

constexpr int32_t kCell = 16;
constexpr int32_t kOne = 65536;  // 1.0 in 16.16
constexpr int32_t kScrollers = 3;
constexpr int32_t kLineRows = 3;
constexpr int32_t kLayers = 3;

const char kTopText[] =
    "THE BITMAP SCROLLER: KEYED CELLS, BLACK SHOWS THE BARS THROUGH ... ";
const char kMiddleText[] = "Solid cells on a wobbling band, three pixels a frame. ";
const char kBottomText[] = "... and this one runs backwards ";
const char kWireText[] = "WIRE FONT IN ONE COLOUR ROLLING AROUND THE HUE CIRCLE ... ";
const char kRandomText[] = "8 X 8 LINE FONT AT SCALE 2, EVERY GLYPH IN A COLOUR OF ITS OWN ... ";
const char kPlainText[] = "SCALE 1 BACKWARDS ... ";
const char kSpiralText[] =
    "THE LINE SCROLLER WINDS ITS TEXT ONTO A SPIRAL OF 512 CHARACTERS, EVERY GLYPH TURNED "
    "ALONG THE CURVE, THE TEXT RUNNING INWARDS AS THE OFFSET MOVES ... ";

int32_t Sine(int32_t angle) { return SineTable[angle & SineTableMask]; }

// A light colour around the hue circle: angle in 1024ths of a turn.
uint32_t Hue(int32_t angle) {
  return RGB888FromBytes(128 + (Sine(angle) >> 8), 128 + (Sine(angle + 341) >> 8),
                         128 + (Sine(angle + 683) >> 8));
}

// Each channel of colour times level / 32768 (level 0..32767).
uint32_t Dim(uint32_t colour, int32_t level) {
  const int32_t r = int32_t((colour >> 16) & 255), g = int32_t((colour >> 8) & 255),
                b = int32_t(colour & 255);
  return RGB888FromBytes((r * level) >> 15, (g * level) >> 15, (b * level) >> 15);
}

// bars copper bars over a 256-entry table: each a half sine of brightness in
// its own hue, softened with the raster's smoothing.
void FillCopper(RASTER* raster, int32_t bars, int32_t hue) {
  RASTERSetCount(raster, 256);
  if (raster->count != 256) return;
  const int32_t length = 256 / bars;
  for (int32_t i = 0; i < 256; ++i) {
    const int32_t bar = i / length, k = i % length;
    raster->colours[i] = bar < bars ? Dim(Hue(hue + bar * 1024 / bars), Sine(k * 512 / length)) : 0;
  }
  RASTERSmooth(raster, 2);
}

IMG* NewImage(int32_t width, int32_t height) {
  IMG* image = IMGNew();
  if (image) IMGResize(image, width, height);
  if (image && !IMGUsable(image)) IMGFree(&image);
  return image;
}

// 64 glowing dots for the starfield's sprite form: the starfield picks cell
// py mod 64, so a star pulses in size and colour as it falls.
IMG* NewStarSheet(void) {
  IMG* sheet = NewImage(16 * kCell, 4 * kCell);
  if (!sheet) return nullptr;
  for (int32_t n = 0; n < 64; ++n) {
    const int32_t radius = 2 + (Sine(n * 16) + 32767) * 5 / 65534;  // 2..7
    const int32_t r2 = 4 * radius * radius;
    const uint32_t colour = Hue(n * 16);
    const int32_t left = (n % 16) * kCell, top = (n / 16) * kCell;
    for (int32_t y = 0; y < kCell; ++y)
      for (int32_t x = 0; x < kCell; ++x) {
        const int32_t dx = 2 * x - 15, dy = 2 * y - 15, d2 = dx * dx + dy * dy;
        if (d2 >= r2) continue;
        const int32_t level = 32767 - int32_t(int64_t(d2) * 32767 / r2);
        IMGPutPixel(sheet, left + x, top + y, RGB888AddGrey(Dim(colour, level), uint32_t(level >> 9)));
      }
  }
  return sheet;
}

}  // namespace

struct GALLERY {
  IMG* target;
  FONT* font;         // the bitmap font: captions and the scroller
  FONT* starSprites;  // the 64 dots of the sprite starfield
  RASTER* rows;
  RASTER* columns;
  RASTER* backdrop;   // the dim bars behind the scroller
  SCROLL* scrollers[kScrollers];
  LFONT* wireFont;    // the 16 x 16 wire font
  LFONT* smallFont;   // the 8 x 8 line font, glyphs about their middle
  LSCROLL* lineRows[kLineRows];
  LSCROLL* spiral;
  LSTARS* layers[kLayers];
  int32_t frame;      // frames since GalleryBegin
};

int32_t GallerySceneCount(void) { return kSceneCount; }

const char* GallerySceneName(int32_t scene) {
  return scene >= 0 && scene < kSceneCount ? kNames[scene] : nullptr;
}

GALLERY* GalleryNew(IMG* target) {
  if (!IMGUsable(target)) return nullptr;
  GALLERY* g = static_cast<GALLERY*>(calloc(1, sizeof(GALLERY)));
  if (!g) return nullptr;
  g->target = target;
  g->font = ContentNewSheet(IMGParsePNM(vornFontPicture), target);
  g->starSprites = ContentNewSheet(NewStarSheet(), target);
  g->rows = RASTERNew();
  g->columns = RASTERNew();
  g->backdrop = RASTERNew();
  bool built = g->font && g->starSprites && g->rows && g->columns && g->backdrop;
  for (int32_t i = 0; i < kScrollers; ++i) built = (g->scrollers[i] = SCROLLNew()) && built;
  for (int32_t i = 0; i < kLayers; ++i) built = (g->layers[i] = LSTARSNew()) && built;
  g->wireFont = ContentNewLineFont(wireFont16x16, 16, false, target);
  g->smallFont = ContentNewLineFont(lineFont8x8, 8, true, target);
  for (int32_t i = 0; i < kLineRows; ++i) built = (g->lineRows[i] = LSCROLLNew()) && built;
  g->spiral = LSCROLLNew();
  built = built && g->wireFont && g->smallFont && g->spiral;
  if (!built) {
    GalleryFree(&g);
    return nullptr;
  }
  FillCopper(g->rows, 4, 0);
  FillCopper(g->columns, 8, 300);
  FillCopper(g->backdrop, 2, 600);
  return g;
}

void GalleryFree(GALLERY** gallery) {
  if (!gallery || !*gallery) return;
  GALLERY* g = *gallery;
  if (g->font) FONTFree(&g->font);
  if (g->starSprites) FONTFree(&g->starSprites);
  if (g->rows) RASTERFree(&g->rows);
  if (g->columns) RASTERFree(&g->columns);
  if (g->backdrop) RASTERFree(&g->backdrop);
  for (SCROLL*& s : g->scrollers)
    if (s) SCROLLFree(&s);
  for (LSTARS*& s : g->layers)
    if (s) LSTARSFree(&s);
  for (LSCROLL*& s : g->lineRows)
    if (s) LSCROLLFree(&s);
  if (g->spiral) LSCROLLFree(&g->spiral);
  if (g->wireFont) LFONTFree(&g->wireFont);
  if (g->smallFont) LFONTFree(&g->smallFont);
  free(g);
  *gallery = nullptr;
}

namespace {

// Three starfield layers, near ones faster, brighter and sparser.
void BeginLayers(GALLERY* g, int32_t dx, int32_t dy) {
  for (int32_t i = 0; i < kLayers; ++i) {
    LSTARS* s = g->layers[i];
    s->width = g->target->width;
    s->height = g->target->height;
    s->velocity = LSTARSVelocity{dx * (i + 1), dy * (i + 1)};
    s->color = RGB888FromBytes(96 + 64 * i, 96 + 64 * i, 128 + 60 * i);
    s->sprites = nullptr;
    LSTARSSetCount(s, 120 - 35 * i);
  }
}

void BeginScrollers(GALLERY* g) {
  const char* const texts[kScrollers] = {kTopText, kMiddleText, kBottomText};
  const int32_t speeds[kScrollers] = {2, 3, -1};
  const int32_t ys[kScrollers] = {56, 120, 200};
  for (int32_t i = 0; i < kScrollers; ++i) {
    SCROLLSet(g->scrollers[i], texts[i], g->font, g->target);
    g->scrollers[i]->speed = speeds[i];
    g->scrollers[i]->y = ys[i];
    g->scrollers[i]->offset = 0;
  }
}

// Sets a line font's scale and angle; the rows share the 8 x 8 font at two
// scales, so each sets it before it is stepped or drawn.
void Shape(LFONT* font, int32_t scale, int32_t angle) {
  font->scale->x = scale;
  font->scale->y = scale;
  font->angle = angle;
}

void BeginLineRows(GALLERY* g) {
  LFONT* const fonts[kLineRows] = {g->wireFont, g->smallFont, g->smallFont};
  const char* const texts[kLineRows] = {kWireText, kRandomText, kPlainText};
  const int32_t speeds[kLineRows] = {2, 3, -1};
  const int32_t ys[kLineRows] = {56, 128, 200};
  for (int32_t i = 0; i < kLineRows; ++i) {
    LSCROLL* s = g->lineRows[i];
    LSCROLLSet(s, texts[i], fonts[i], g->target);
    s->speed = speeds[i];
    s->y = ys[i];
    s->offset = 0;
  }
}

void LineRowsFrame(GALLERY* g) {
  Shape(g->wireFont, 1, 0);
  LSCROLLDrawColored(g->lineRows[0], Hue(g->frame * 6));
  LSCROLLStep(g->lineRows[0]);
  Shape(g->smallFont, 2, 0);
  LSCROLLDrawRandomColors(g->lineRows[1]);
  LSCROLLStep(g->lineRows[1]);
  Shape(g->smallFont, 1, 0);
  LFONTSetColor(g->smallFont, 0xFFFFFF);
  LSCROLLDraw(g->lineRows[2]);
  LSCROLLStep(g->lineRows[2]);
}

void DrawCaption(GALLERY* g, int32_t scene) {
  FONT* font = g->font;
  font->target = g->target;
  font->x = 0;
  font->y = 0;
  FONTDrawText(font, kNames[scene]);
}

}  // namespace

void GalleryBegin(GALLERY* g, int32_t scene) {
  if (!g || scene < 0 || scene >= kSceneCount) return;
  g->frame = 0;
  switch (scene) {
    case kRasterRows:
      g->rows->position = 0;
      g->rows->speed = 3 * kOne / 2;
      break;
    case kRasterColumns:
      g->columns->position = 0;
      g->columns->speed = -kOne;
      break;
    case kBlendedBars:
      g->rows->position = 0;
      g->columns->position = 0;
      g->rows->speed = 2 * kOne;
      g->columns->speed = kOne / 2;
      break;
    case kBitmapScroller:
      g->backdrop->position = 0;
      g->backdrop->speed = kOne / 4;
      BeginScrollers(g);
      break;
    case kLineScroller:
      BeginLineRows(g);
      break;
    case kSpiral0:
    case kSpiral1:
    case kSpiral2:
    case kSpiral3:
      LSCROLLSet(g->spiral, kSpiralText, g->smallFont, g->target);
      g->spiral->speed = 1;
      g->spiral->offset = 0;
      break;
    case kStarDots:
      BeginLayers(g, 0, kOne / 2);
      break;
    case kStarStreaks:
      BeginLayers(g, 3 * kOne / 4, 2 * kOne);
      break;
    case kStarSprites:
      BeginLayers(g, kOne / 3, kOne);
      LSTARSSetCount(g->layers[0], 40);
      g->layers[0]->sprites = g->starSprites;
      break;
  }
}

void GalleryFrame(GALLERY* g, int32_t scene) {
  if (!g || scene < 0 || scene >= kSceneCount) return;
  IMG* target = g->target;
  IMGClear(target);
  switch (scene) {
    case kRasterRows:
      RASTERDrawRows(g->rows, target);
      RASTERStep(g->rows);
      break;
    case kRasterColumns:
      RASTERDrawColumns(g->columns, target);
      RASTERStep(g->columns);
      break;
    case kBlendedBars:
      // Rows over columns, the rows' weight swinging between 0 and 255.
      RASTERDrawColumns(g->columns, target);
      RASTERDrawRowsBlend(g->rows, target, 128 + (Sine(g->frame * 8) >> 8));
      RASTERStep(g->columns);
      RASTERStep(g->rows);
      break;
    case kBitmapScroller:
      RASTERDrawRowsBlend(g->backdrop, target, 80);
      RASTERStep(g->backdrop);
      g->scrollers[1]->y = 120 + (Sine(g->frame * 12) >> 11);
      SCROLLDraw(g->scrollers[0]);
      SCROLLDrawSolid(g->scrollers[1]);
      SCROLLDraw(g->scrollers[2]);
      for (SCROLL* s : g->scrollers) SCROLLStep(s);
      break;
    case kLineScroller:
      LineRowsFrame(g);
      break;
    case kSpiral0:
    case kSpiral1:
    case kSpiral2:
    case kSpiral3:
      Shape(g->smallFont, 1, 0);
      LFONTSetColor(g->smallFont, Hue(g->frame * 4));
      LSCROLLDrawSpiral(g->spiral, scene - kSpiral0);
      LSCROLLStep(g->spiral);
      break;
    case kStarDots:
    case kStarStreaks:
      for (LSTARS* s : g->layers) {
        if (scene == kStarDots) LSTARSDrawDots(s, target);
        else LSTARSDrawStreaks(s, target);
        LSTARSMove(s);
      }
      break;
    case kStarSprites:
      for (int32_t i = kLayers - 1; i >= 1; --i) {
        LSTARSDrawDots(g->layers[i], target);
        LSTARSMove(g->layers[i]);
      }
      LSTARSDrawSprites(g->layers[0], target);
      LSTARSMove(g->layers[0]);
      break;
  }
  DrawCaption(g, scene);
  ++g->frame;
}

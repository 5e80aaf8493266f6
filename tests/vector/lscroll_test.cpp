// The line scroller on probe fonts: glyph n plots one pixel of colour
// 0x1000 + n at its origin (or, for the angle checks, draws a short stroke),
// so that the image reads back which character went where.
#include "lscroll.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "cursor.h"
#include "image_fixture.h"
#include "lfont.h"
#include "list.h"
#include "sine.h"
#include "vector_test_util.h"

namespace {

constexpr uint32_t kProbe = 0x1000;

// A 256-glyph font with cells 8 wide; stroke glyphs run from the origin to
// (6, 2), dot glyphs are one pixel at the origin.
LFONT* ProbeFont(IMG* target, bool strokes = false) {
  LFONT* f = LFONTNew();
  f->glyphs = LISTNew();
  for (int32_t n = 0; n < 256; ++n) {
    OBJ2D* glyph = OBJ2DNew();
    SEG2D* seg = SEG2DNew();
    seg->end->x = strokes ? 6 : 0;
    seg->end->y = strokes ? 2 : 0;
    seg->start->color = seg->end->color = kProbe + uint32_t(n);
    OBJ2DAddSegment(glyph, seg);
    LISTPush(f->glyphs, glyph);
  }
  f->cell->x = f->cell->y = 8;
  f->target = target;
  return f;
}

struct Row {
  Image image = NewImage(64, 16);
  LFONT* font = ProbeFont(image.get());
  LSCROLL* s = LSCROLLNew();
  explicit Row(const char* text) { LSCROLLSet(s, text, font, image.get()); }
  ~Row() {
    LSCROLLFree(&s);
    LFONTFree(&font);
  }
  // The characters at the pen positions x0, x0 + 8, ... on row y ('.' for none).
  std::string Shown(int32_t x0, int32_t y, int32_t cells) const {
    std::string text;
    for (int32_t i = 0; i < cells; ++i) {
      const uint32_t p = IMGGetPixel(image.get(), x0 + 8 * i, y);
      text += p ? char(p - kProbe) : '.';
    }
    return text;
  }
};

TEST(Lscroll, RowDrawsWidthOverCwPlusTwo) {
  Row r("ABCDEFGHIJKLMNOP");
  r.s->x = 3;
  r.s->y = 4;
  r.s->offset = 5;
  LSCROLLDraw(r.s);
  EXPECT_EQ(r.Shown(-2, 4, 9), ".BCDEFGHI");  // 'A' lands left of the image, 'J' past it
  EXPECT_EQ(r.font->pen->x, -2 + 10 * 8);    // 64 / 8 + 2 characters
  EXPECT_EQ(r.s->cursor->position, 0);
  Row one("Z");
  LSCROLLDraw(one.s);
  EXPECT_EQ(one.Shown(0, 0, 8), "ZZZZZZZZ");
}

TEST(Lscroll, RowOffTheImageIsNotDrawn) {
  Row r("AB");
  const int32_t xs[] = {65, -65, 0, 0}, ys[] = {0, 0, 17, -9};
  for (int i = 0; i < 4; ++i) {
    r.s->x = xs[i];
    r.s->y = ys[i];
    r.font->pen->x = 1234;
    LSCROLLDraw(r.s);
    EXPECT_EQ(r.font->pen->x, 1234) << i;
  }
  EXPECT_TRUE(LitPixels(r.image.get()).empty());
  r.s->x = 64;  // touching the edge still counts as on the image
  r.s->y = 0;
  LSCROLLDraw(r.s);
  EXPECT_NE(r.font->pen->x, 1234);
}

TEST(Lscroll, ColouredRows) {
  Row r("ABC");
  LSCROLLDrawColored(r.s, 0x00FF00);
  EXPECT_EQ(IMGGetPixel(r.image.get(), 0, 0), 0x00FF00u);
  EXPECT_EQ(IMGGetPixel(r.image.get(), 56, 0), 0x00FF00u);
  LSCROLLDrawRandomColors(r.s);
  EXPECT_EQ(IMGGetPixel(r.image.get(), 8, 0) & 0x808080, 0x808080u);
  EXPECT_NE(IMGGetPixel(r.image.get(), 0, 0), IMGGetPixel(r.image.get(), 8, 0));
}

TEST(Lscroll, StepsEndInZeroToCwForwardAndOneToCwBack) {
  Row r("0123456789");
  for (int i = 1; i <= 8; ++i) LSCROLLStep(r.s);
  EXPECT_EQ(r.s->cursor->position, 1);
  EXPECT_EQ(r.s->offset, 0);
  const struct {
    int32_t speed, offset, position, scale, nextPosition, nextOffset;
  } cases[] = {{-1, 0, 0, 1, 9, 7}, {-8, 0, 0, 1, 8, 8}, {-8, 8, 8, 1, 8, 0},
               {50, 0, 8, 3, 0, 2}};  // cw = 8 * 3: 50 is two cells and 2
  for (const auto& c : cases) {
    r.s->speed = c.speed;
    r.s->offset = c.offset;
    r.font->scale->x = c.scale;
    CURSORSet(r.s->cursor, c.position);
    LSCROLLStep(r.s);
    EXPECT_EQ(r.s->cursor->position, c.nextPosition) << c.speed;
    EXPECT_EQ(r.s->offset, c.nextOffset) << c.speed;
  }
  // Offset 8 at character 8 shows what offset 0 at character 9 shows.
  r.font->scale->x = 1;
  r.s->offset = 8;
  CURSORSet(r.s->cursor, 8);
  LSCROLLDraw(r.s);
  EXPECT_EQ(r.Shown(0, 0, 8), "90123456");
}

TEST(Lscroll, BadFontsAndBytesAreHandledSafely) {
  Row r("A\xE9" "B");
  LSCROLLDraw(r.s);  // the negative code draws nothing and does not advance
  EXPECT_EQ(r.Shown(0, 0, 6), "ABABAB");
  r.font->cell->x = 0;  // no advance: would divide by zero
  const int32_t pen = r.font->pen->x;
  std::string printed = imagetest::Printed(LSCROLLDebug, [&] {
    LSCROLLStep(r.s);
    LSCROLLDraw(r.s);
    LSCROLLDrawSpiral(r.s, 0);
    LSCROLLDrawColored(r.s, 1);
  });
  EXPECT_EQ(printed.size(), 4 * std::string("LSCROLL error\n").size());
  EXPECT_EQ(r.s->offset, 0);
  EXPECT_EQ(r.font->pen->x, pen);
  // An empty text draws nothing.
  Row empty("");
  LSCROLLDraw(empty.s);
  LSCROLLDrawSpiral(empty.s, 1);
  EXPECT_TRUE(LitPixels(empty.image.get()).empty());
}

// The spiral written out from its formula, drawn glyph by glyph through the font.
void ReferenceSpiral(LFONT* font, const char* text, int32_t start, int32_t offset, int32_t mode) {
  const int32_t length = int32_t(strlen(text));
  const int64_t cw = int64_t(font->cell->x) * font->scale->x;
  const int64_t ch = int64_t(font->cell->y) * font->scale->y;
  const int32_t w = font->target->width, h = font->target->height;
  for (int32_t n = 512, i = start; n >= 1; --n, i = (i + 1) % length) {
    const int32_t sx = SineTable[((n * cw + offset) * 4) & 1023];
    const int32_t sy = SineTable[((n * ch + offset) * 4 + 256) & 1023];
    font->pen->x = w / 2 + ((n * sx) >> ((mode & 3) + 14));
    font->pen->y = h / 2 + ((n * sy) >> ((mode & 3) + 14));
    font->code = static_cast<signed char>(text[i]);
    font->angle = int32_t((1024 - 4 * n * cw - 4 * offset + 512) & 1023);
    LFONTDrawChar(font);
  }
}

TEST(Lscroll, SpiralMatchesItsFormulaInEveryMode) {
  const char text[] = "SPIRAL text, 0123456789 \xB0!";
  Image drawn = NewImage(256, 256), expected = NewImage(256, 256);
  LFONT* font = ProbeFont(drawn.get(), true);
  LFONT* reference = ProbeFont(expected.get(), true);
  LSCROLL* s = LSCROLLNew();
  LSCROLLSet(s, text, font, drawn.get());
  const struct {
    int32_t mode, offset, position, scaleX, scaleY;
  } cases[] = {{0, 0, 0, 1, 1}, {1, 5, 3, 1, 1}, {2, 7, 10, 2, 3}, {3, 1, 25, 1, 2}, {-3, 2, 1, -1, 1}};
  for (const auto& c : cases) {
    IMGClear(drawn.get());
    IMGClear(expected.get());
    s->offset = c.offset;
    CURSORSet(s->cursor, c.position);
    font->scale->x = reference->scale->x = c.scaleX;
    font->scale->y = reference->scale->y = c.scaleY;
    LSCROLLDrawSpiral(s, c.mode);
    ReferenceSpiral(reference, text, c.position, c.offset, c.mode);
    EXPECT_GT(LitPixels(drawn.get()).size(), 300u) << c.mode;
    EXPECT_EQ(IMGEqual(drawn.get(), expected.get()), 1) << "mode " << c.mode;
    EXPECT_EQ(s->cursor->position, c.position);
    EXPECT_EQ(font->angle, reference->angle);
  }
  // The first character sits on the outermost turn: in mode 3 with cw 8 and
  // offset 0 straight below the centre, at (128, 128 + (512 * 32766) >> 17).
  IMGClear(drawn.get());
  font->scale->x = font->scale->y = 1;
  s->offset = 0;
  CURSORSet(s->cursor, 0);
  LSCROLLDrawSpiral(s, 3);
  EXPECT_EQ(IMGGetPixel(drawn.get(), 128, 255), kProbe + 'S');
  LSCROLLFree(&s);
  LFONTFree(&font);
  LFONTFree(&reference);
}

}  // namespace

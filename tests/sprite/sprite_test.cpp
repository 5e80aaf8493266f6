// The cell sheet (where cells come from and how they clip, the copying rules, text, digits and
// enlarged cells), raster bars and the bitmap text scroller: worked cases, wraps and bad input.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "cursor.h"
#include "font.h"
#include "image_fixture.h"
#include "raster.h"
#include "scroll.h"

namespace {

using imagetest::Pix;
using imagetest::Printed;
using imagetest::Sized;

using imagetest::Freer;
using Font = std::unique_ptr<FONT, Freer<FONT, FONTFree>>;
using Raster = std::unique_ptr<RASTER, Freer<RASTER, RASTERFree>>;
using Scroll = std::unique_ptr<SCROLL, Freer<SCROLL, SCROLLFree>>;

// A font of w x h cells over a sw x sh sheet whose pixel i holds 0x10000 + i.
Font Numbered(int32_t sw, int32_t sh, int32_t w, int32_t h, IMG* target = nullptr) {
  Font font(FONTNew());
  font->sheet = Sized(sw, sh).release();
  for (int32_t i = 0; i < sw * sh; ++i) font->sheet->pixels[i] = 0x10000u + uint32_t(i);
  font->cellWidth = w, font->cellHeight = h, font->target = target;
  return font;
}

// 16 x 16 cells over 256 x 256, cell n filled with n + 1 but for its black top-left pixel.
Font Coded(IMG* target = nullptr) {
  Font font = Numbered(256, 256, 16, 16, target);
  for (int32_t i = 0; i < 256 * 256; ++i)  // x = i % 256, y = i / 256
    font->sheet->pixels[i] = (i % 16 || i / 256 % 16) ? uint32_t(i / 4096 * 16 + i % 256 / 16 + 1) : 0;
  return font;
}

// The characters of a Coded font on rows of cells from (x, y): the code under
// each cell's middle, '.' where nothing was drawn.
std::string Shown(const IMG* target, int32_t x, int32_t y, int32_t cells, int32_t rows = 1) {
  std::string text;
  for (int32_t i = 0; i < cells * rows; ++i) {
    const uint32_t p = IMGGetPixel(target, x + i % cells * 16 + 8, y + i / cells * 16 + 8);
    text += p ? char(p - 1) : '.';
  }
  return text;
}

// A cell drawn solid at pen (x, y) into a 32 x 32 target comes from sheet pixel
// (sx, sy) (sx < 0: no such cell), clipped to both images; the pen moves one cell.
TEST(Font, CellsComeFromTheirPlaceAndClipToBothImages) {
  const int32_t cases[][9] = {  // sheet width, height, cell width, height, code, x, y, sx, sy
      {256, 256, 16, 16, 65, 10, 12, 16, 64}, {50, 30, 12, 7, 5, 0, 0, 10, 7},    // a = 60 runs on into row 1
      {200, 40, 16, 16, 12, 0, 0, 192, 0},    {200, 40, 16, 16, 13, 0, 0, 8, 16},  // hangs off the right edge
      {16, 40, 16, 16, 2, 0, 0, 0, 32},       {16, 40, 16, 16, 3, 0, 0, -1, 0},    // off the bottom, below it
      {15, 40, 16, 16, 0, 0, 0, -1, 0},       {40, 15, 16, 16, 0, 0, 0, -1, 0},    // sheets smaller than a cell
      {16, 16, 16, 16, -1, 0, 0, -1, 0},      {16, 16, 16, 16, INT32_MAX, 0, 0, -1, 0},
      {16, 16, 16, 16, 0, -8, 0, 0, 0},       {16, 16, 16, 16, 0, 29, -14, 0, 0}};  // clipped by the target
  for (const auto& c : cases) {
    auto target = Sized(32, 32), expected = Sized(32, 32);
    Font font = Numbered(c[0], c[1], c[2], c[3], target.get());
    if (c[7] >= 0) IMGBlit(font->sheet, expected.get(), c[7], c[8], c[5], c[6], c[2], c[3]);
    font->code = c[4], font->x = c[5], font->y = c[6];
    FONTDrawCharSolid(font.get());
    EXPECT_TRUE(IMGEqual(target.get(), expected.get())) << c[4];
    EXPECT_EQ(font->x * 100 + font->y, (c[5] + c[2]) * 100 + c[6]) << c[4];
  }
  auto target = Sized(2, 1, 7);  // a black cell pixel: kept out by the keyed copy, adds nothing
  Font font = Numbered(2, 1, 2, 1, target.get());
  font->sheet->pixels[0] = 0;
  for (auto draw : {FONTDrawChar, FONTDrawCharAdd}) draw(font.get()), font->x = 0;
  EXPECT_EQ(imagetest::Pixels(target.get()), (Pix{7, 0x20002}));
  FONTDrawCharSolid(font.get());
  EXPECT_EQ(imagetest::Pixels(target.get()), (Pix{0, 0x10001}));
}

TEST(Font, TextDigitsEnlargedCellsTextFormAndCopy) {
  auto target = Sized(256, 48);
  Font font = Coded(target.get());
  const std::tuple<void (*)(FONT*, uint32_t), uint32_t, std::string> cases[] = {
      {FONTDrawDecimal, 4294967295u, "4294967295"}, {FONTDrawHex8, 0x1A5, "A5"}, {FONTDrawHex16, 0x90F3E, "0F3E"},
      {FONTDrawHex32, 0x1234ABCD, "1234ABCD"}};
  for (const auto& [draw, value, shown] : cases) {
    IMGClear(target.get());
    font->x = font->y = 0;
    draw(font.get(), value);
    EXPECT_EQ(Shown(target.get(), 0, 0, 11), shown + std::string(11 - shown.size(), '.'));
    EXPECT_EQ(font->x * 1000 + font->code, 16 * int32_t(shown.size()) * 1000 + shown.back());
  }
  IMGClear(target.get());
  font->x = 0;
  FONTDrawText(font.get(), "AB\nCD");  // stops at the line feed
  font->x = 16, font->y = 16;
  FONTDrawTextSolid(font.get(), "AB\nCD");  // the next line starts at the same x
  EXPECT_EQ(Shown(target.get(), 0, 0, 3, 3), "AB..AB.CD");
  EXPECT_EQ(font->x * 100 + font->y, 48 * 100 + 32);
  // Big cell 3 (second row, right) of 4 x 2 lights (0, 0) and (3, 1): the small
  // 2 x 3 cell is drawn at (5, 6) and (5 + 3 * 2, 6 + 1 * 3).
  auto big = Sized(24, 24), expected = Sized(24, 24);
  Font large = Numbered(8, 4, 4, 2, big.get()), small = Numbered(2, 3, 2, 3);
  IMGClear(large->sheet);
  large->sheet->pixels[4 + 2 * 8] = large->sheet->pixels[7 + 3 * 8] = 1;
  large->code = 3, large->x = 5, large->y = 6;
  FONTDrawBig(large.get(), small.get());
  EXPECT_EQ(large->x, 5 + 2 * 4);  // the small font draws into the big one's target
  for (int32_t k : {0, 1}) IMGBlit(small->sheet, expected.get(), 0, 0, 5 + 6 * k, 6 + 3 * k, 2, 3);
  EXPECT_TRUE(IMGEqual(big.get(), expected.get()));
  // The text form and a copy keep everything but the target; the copy has its own sheet.
  char* text = FONTToASCII(large.get());
  Font parsed(FONTFromASCII(text)), copy(FONTCopy(large.get()));
  free(text);
  ASSERT_TRUE(parsed);
  parsed->target = big.get();
  EXPECT_TRUE(FONTEqual(large.get(), parsed.get()) && FONTEqual(large.get(), copy.get()));
  copy->sheet->pixels[0] ^= 1;
  EXPECT_FALSE(FONTEqual(large.get(), copy.get()));
  Font extremes(FONTFromASCII("FONT{\n-2147483648 +2147483647 65536 1 -7\n}\n"));
  ASSERT_TRUE(extremes);
  EXPECT_EQ((std::vector<int32_t>{extremes->x, extremes->y, extremes->cellWidth, extremes->cellHeight,
                                  extremes->code}),
            (std::vector<int32_t>{INT32_MIN, INT32_MAX, 65536, 1, -7}));
  // Numbers are never wrapped, and cells measure 1..IMG_MAX_SIDE pixels a side.
  for (const char* bad : {"no font here", "FONT{\n1 2 x", "FONT{\n1 2 -5 -5 0\n", "FONT{\n1 2 0 6 0\n",
                          "FONT{\n1 2 6 65537 0\n", "FONT{\n99999999999 2 6 6 0\n",
                          "FONT{\n1 -2147483649 6 6 0\n", "FONT{\n1 2 6 6 2147483648\n",
                          "FONT{\n1 2 6 6 -\n"})
    EXPECT_EQ(FONTFromASCII(bad), nullptr) << bad;
}

Raster Table(Pix colours) {
  Raster raster(RASTERNew());
  RASTERSetCount(raster.get(), int32_t(colours.size()));
  std::copy(colours.begin(), colours.end(), raster->colours);
  return raster;
}

Pix Colours(const RASTER* r) { return r ? Pix(r->colours, r->colours + r->count) : Pix(); }

TEST(Raster, StepsRowsColumnsSmoothingCopiesAndFiles) {
  Raster raster(RASTERNew());
  EXPECT_TRUE(raster->speed >= 65536 && raster->speed <= 1114110) << raster->speed;  // 1 to 17 entries a step
  RASTERSetCount(raster.get(), 4);  // L = 262144; a whole number of turns back lands on 0, never on L
  const int32_t cases[][3] = {{250000, 20000, 7856},       {1000, -5000, 258144},      {0, -262144 * 3, 0},
                              {262143, INT32_MAX, 262142}, {5, -262144 - 10, 262139}, {0, INT32_MIN, 0}};
  for (const auto& c : cases) {
    raster->position = c[0], raster->speed = c[1];
    RASTERStep(raster.get());
    EXPECT_EQ(raster->position, c[2]) << c[0] << " + " << c[1];
  }
  raster = Table({0x111111, 0x222222, 0x333333});
  raster->position = (4 << 16) + 0x8000;  // row y: entry (4 + y) mod 3, the fraction dropped
  auto rows = Sized(1, 4), columns = Sized(5, 1), blended = Sized(1, 4, 0x808080), expected = Sized(1, 4, 0x808080);
  RASTERDrawRows(raster.get(), rows.get());
  EXPECT_EQ(imagetest::Pixels(rows.get()), (Pix{0x222222, 0x333333, 0x111111, 0x222222}));
  raster->position = -(1 << 16);  // stored by a caller: still an entry of the table
  RASTERDrawColumns(raster.get(), columns.get());
  EXPECT_EQ(imagetest::Pixels(columns.get()), (Pix{0x333333, 0x111111, 0x222222, 0x333333, 0x111111}));
  RASTERDrawRowsBlend(raster.get(), blended.get(), 64);
  for (int32_t y = 0; y < 4; ++y) IMGHLineBlendColour(expected.get(), raster->colours[(y + 2) % 3], y, 0, 0, 64);
  EXPECT_TRUE(IMGEqual(blended.get(), expected.get()));
  const Pix five = {0x102030, 0xFF0000, 0x00FF80, 0x0A0B0C, 0x808080};  // smoothing wraps at the top, mirrors at 0
  const std::tuple<Pix, int32_t, Pix> smooth[] = {{{0, 0, 0xFF, 0}, 1, {0, 0x3F, 0x7F, 0x3F}},
                                                 {five, 1, {0x871018, 0x83472C, 0x428243, 0x256546, 0x464A4F}},
                                                 {five, 7, {0x55593D, 0x644733, 0x4C5F43, 0x4D503C, 0x5C4F3B}}};
  for (const auto& c : smooth) {
    Raster smoothed = Table(std::get<0>(c));
    RASTERSmooth(smoothed.get(), std::get<1>(c));
    EXPECT_EQ(Colours(smoothed.get()), std::get<2>(c)) << std::get<1>(c);
  }
  Raster a = Table({1, 2, 3, 4, 5, 6}), c = Table({7, 8, 9});  // copies and files keep every colour
  a->position = 123;
  Raster b(RASTERCopy(a.get()));
  EXPECT_TRUE(RASTEREqual(a.get(), b.get()) && b->position == 123 && b->speed == a->speed);
  b->colours[5] = 0;
  RASTERCopyTo(a.get(), c.get());  // counts differ: refused
  EXPECT_FALSE(RASTEREqual(a.get(), b.get()) || RASTEREqual(a.get(), c.get()) || c->colours[0] != 7);
  const std::string path = testing::TempDir() + "raster_test_file";
  ASSERT_EQ(RASTERSave(Table({0xFFFFFFFFu, 0x10}).get(), path.c_str()), 1);
  EXPECT_EQ(Colours(Raster(RASTERLoad(path.c_str())).get()), (Pix{0xFFFFFFFFu, 0x10}));
  std::string tooMany;
  for (int32_t i = 0; i <= RASTER_MAX_COUNT; ++i) tooMany += "1\n";
  const std::pair<std::string, Pix> files[] = {  // no colours where refused
      {"", {}}, {" ff0000\r\n00Ff00\t1\n", {0xFF0000, 0xFF00, 1}}, {"12 -1\n", {}}, {"123456789\n", {}}, {tooMany, {}}};
  for (const auto& f : files) {
    FILE* file = fopen(path.c_str(), "wb");
    fputs(f.first.c_str(), file);
    fclose(file);
    Raster loaded;
    EXPECT_EQ(Printed(RASTERDebug, [&] { loaded.reset(RASTERLoad(path.c_str())); }),
              f.first.empty() || !f.second.empty() ? "" : "RASTER error\n");
    EXPECT_EQ(Colours(loaded.get()), f.second);
  }
  remove(path.c_str());
}

// A scroller over a 256 x 40 target with 16 x 16 cells that read back as their codes.
struct Band {
  imagetest::Image target = Sized(256, 40);
  Font font = Coded();
  Scroll s{SCROLLNew()};
  explicit Band(const char* text) { SCROLLSet(s.get(), text, font.get(), target.get()); }
};

// The band shows width / w + 2 cells from the cursor, shifted left by the offset;
// steps end with the offset in 0..w-1 forward and in 1..w back.
TEST(Scroll, DrawsEighteenCellsAndStepsWrapBothWays) {
  Band b("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), odd("A\xC8" "B");  // bytes above 127: negative cells, not drawn
  IMGResize(b.target.get(), 320, 40);  // wider than the band: the cells past it show too
  b.s->y = 10, b.s->offset = 5;
  b.s->cursor->position = 26 * 40;  // stored out of range by a caller: wrapped before reading
  SCROLLDraw(b.s.get());
  EXPECT_EQ(Shown(b.target.get(), -5, 10, 20), "ABCDEFGHIJKLMNOPQR..");
  EXPECT_EQ(b.font->x * 10 + b.s->cursor->position, (-5 + 18 * 16) * 10);
  b.target->pixels[11 + 10 * 320] = 0x999999;  // under the first cell's black corner
  SCROLLDraw(b.s.get());
  EXPECT_EQ(IMGGetPixel(b.target.get(), 11, 10), 0x999999u);
  SCROLLDrawSolid(b.s.get());
  EXPECT_EQ(IMGGetPixel(b.target.get(), 11, 10), 0u);
  SCROLLDraw(odd.s.get());
  EXPECT_EQ(Shown(odd.target.get(), 0, 0, 6), "A.BA.B");
  Scroll copy(SCROLLCopy(b.s.get()));  // its own cursor at the same place
  EXPECT_TRUE(SCROLLEqual(copy.get(), b.s.get()) && copy->cursor != b.s->cursor);
  Band ten("ABCDEFGHIJ"), empty("");  // an empty text steps only the offset
  for (int i = 1; i <= 16; ++i) SCROLLStep(ten.s.get());
  EXPECT_EQ(ten.s->cursor->position * 100 + ten.s->offset, 100);
  empty.s->speed = 37;
  SCROLLStep(empty.s.get());
  EXPECT_EQ(empty.s->offset * 100 + empty.s->cursor->position, 500);
  const int32_t cases[][5] = {  // speed, offset, position -> position, offset
      {40, 0, 1, 3, 8},    {16 * 9, 8, 3, 2, 8},  // nine cells wrap past the end
      {-1, 0, 0, 9, 15},   {-16, 0, 0, 8, 16},  {-16, 16, 8, 8, 0},
      {INT32_MIN, 0, 0, 1, 16}, {INT32_MAX, 15, 0, 8, 14}};  // -2^27 - 1 cells back; 2^27 on, 14 over
  for (const auto& c : cases) {
    ten.s->speed = c[0], ten.s->offset = c[1];
    CURSORSet(ten.s->cursor, c[2]);
    SCROLLStep(ten.s.get());
    EXPECT_EQ(ten.s->cursor->position * 100 + ten.s->offset, c[3] * 100 + c[4]) << c[0];
  }
}

// Refused calls print their module's error line (with its flag set), once, and draw nothing.
TEST(Sprite, BadInputIsRefusedAndReported) {
  auto image = Sized(32, 32, 0x777777);
  Font none(FONTNew()), flat = Numbered(16, 16, 16, 0, image.get()), narrow = Numbered(16, 16, -16, 16, image.get());
  Raster empty = Table({});
  Band band("AB");
  band.font->cellWidth = 0;  // cells 0 wide cannot be stepped through or drawn
  const std::tuple<uint8_t*, const char*, std::vector<std::function<void()>>> modules[] = {
      {&FONTDebug, "FONT Error.\n",
       {[&] { FONTDrawChar(none.get()); }, [&] { FONTDrawText(none.get(), "AB"); },
        [&] { FONTDrawCharSolid(flat.get()); }, [&] { FONTDrawHex32(flat.get(), 7); },
        [&] { FONTDrawDecimal(narrow.get(), 7); }, [&] { FONTDrawTextSolid(nullptr, "A"); },
        [&] { FONTDrawBig(flat.get(), none.get()); },
        [&] { FONT* f = FONTNew(); FONTFree(&f), FONTFree(&f); }}},  // the first clears f
      {&RASTERDebug, "RASTER error\n",
       {[&] { RASTERStep(empty.get()); }, [&] { RASTERDrawRows(empty.get(), image.get()); },
        [&] { RASTERDrawColumns(empty.get(), image.get()); }, [&] { RASTERDrawRowsBlend(empty.get(), image.get(), 9); },
        [&] { RASTERSmooth(empty.get(), 0); }, [&] { RASTERSetCount(empty.get(), RASTER_MAX_COUNT + 1); },
        [&] { RASTERSetCount(empty.get(), -1); }, [&] { EXPECT_EQ(RASTERSave(empty.get(), "raster_test"), 0); },
        [&] { EXPECT_EQ(RASTERLoad("/nonexistent/raster"), nullptr); }, [&] { RASTERFree(nullptr); }}},
      {&SCROLLDebug, "SCROLL error\n",
       {[&] { SCROLLStep(band.s.get()); }, [&] { SCROLLDraw(band.s.get()); },
        [&] { SCROLLSet(band.s.get(), nullptr, band.font.get(), image.get()); }}}};
  for (const auto& m : modules)
    for (const auto& call : std::get<2>(m)) EXPECT_EQ(Printed(*std::get<0>(m), call), std::get<1>(m));
  EXPECT_EQ(none->x + flat->x + narrow->x + empty->count + band.s->offset, 0);
  EXPECT_TRUE(IMGEqual(image.get(), Sized(32, 32, 0x777777).get()));
  EXPECT_EQ(band.s->target, band.target.get());
}

}  // namespace

#include "sheets.h"
#include "sprite_parts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "font.h"
#include "fps.h"
#include "img.h"
#include "sdldpy.h"
#include "sdlkbd.h"
#include "sine.h"
#include "vorndemo.h"

extern const unsigned char vornFontPicture[];
extern const unsigned char vornBallPicture[];

namespace {

struct ImageDeleter {
  void operator()(IMG* image) const { IMGFree(&image); }
};
using Image = std::unique_ptr<IMG, ImageDeleter>;

uint32_t Channels(int32_t r, int32_t g, int32_t b) {
  auto clamp = [](int32_t v) { return uint32_t(v < 0 ? 0 : v > 255 ? 255 : v); };
  return clamp(r) << 16 | clamp(g) << 8 | clamp(b);
}
uint32_t AddColour(uint32_t p, uint32_t k) {
  return Channels(int32_t(p >> 16 & 255) + int32_t(k >> 16 & 255), int32_t(p >> 8 & 255) + int32_t(k >> 8 & 255),
                  int32_t(p & 255) + int32_t(k & 255));
}
uint32_t SubColour(uint32_t p, uint32_t k) {
  return Channels(int32_t(p >> 16 & 255) - int32_t(k >> 16 & 255), int32_t(p >> 8 & 255) - int32_t(k >> 8 & 255),
                  int32_t(p & 255) - int32_t(k & 255));
}
uint32_t Average(uint32_t s, uint32_t d) { return ((s >> 1) & 0x7F7F7F) + ((d >> 1) & 0x7F7F7F); }

// Sheets are built once; every test starts from a black work image with the
// counts, tile states and font as the show leaves them at start-up.
class SpriteParts : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    workImage = IMGNew();
    IMGResize(workImage, 256, 256);
    DemoSheetsSetup();
  }
  void SetUp() override {
    IMGClear(workImage);
    swarmCount = rainCount = 0;
    swarmTiles = rainTiles = DemoTileState{0, 0, 3, 2};
    measuredFps = 25;
    targetFps = 25;
  }
  static void KeyedCell(const IMG* sheet, int32_t code, int32_t x, int32_t y, IMG* target) {
    for (int32_t i = 0; i < 16; ++i)
      for (int32_t j = 0; j < 16; ++j) {
        uint32_t s = sheet->pixels[j + (code * 16 + i) * sheet->width];
        int32_t tx = x + j, ty = y + i;
        if (s && tx >= 0 && ty >= 0 && tx < target->width && ty < target->height) target->pixels[tx + ty * target->width] = s;
      }
  }
};

TEST_F(SpriteParts, TileSheetAndFontAreTintedPixelByPixel) {
  Image original(IMGParsePNM(vornFontPicture));
  ASSERT_TRUE(original);
  ASSERT_EQ(original->width, 256);
  ASSERT_EQ(original->height, 256);
  ASSERT_TRUE(bitmapFont && tileSheet);
  EXPECT_EQ(bitmapFont->cellWidth, 16);
  EXPECT_EQ(tileSheet->target, workImage);
  ASSERT_EQ(tileSheet->sheet->width, 256);
  ASSERT_EQ(tileSheet->sheet->height, 16);
  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 256; ++x) {
      uint32_t darker = SubColour(original->pixels[x + 256 * y], 0x402000);
      ASSERT_EQ(bitmapFont->sheet->pixels[x + 256 * y], AddColour(darker, 0x402000)) << x << "," << y;
      if (y < 16) {
        ASSERT_EQ(tileSheet->sheet->pixels[x + 256 * y], AddColour(darker ? darker : 0xFFFFFF, 0x104080));
      }
    }
  // Every glyph cell has an opaque box once its black became 0x402000.
  EXPECT_EQ(bitmapFont->sheet->pixels[16 * 'A' % 256 + 256 * 16 * ('A' / 16)], 0x402000u);
}

TEST_F(SpriteParts, BallSheetIsTheDrawnFramesDoubledThreeTimes) {
  Image source(IMGParsePNM(vornBallPicture));
  ASSERT_TRUE(source && ballSheet);
  ASSERT_EQ(ballSheet->sheet->width, 16);
  ASSERT_EQ(ballSheet->sheet->height, 80 * 16);
  // The passes as plain per-pixel loops on cells of 256 pixels.
  using Cells = std::vector<std::vector<uint32_t>>;
  Cells cells(10, std::vector<uint32_t>(256));
  for (int32_t c = 0; c < 10; ++c)
    for (int32_t i = 0; i < 256; ++i) cells[size_t(c)][size_t(i)] = source->pixels[(c + 2) * 256 + i];
  for (int pass = 0; pass < 3; ++pass) {
    Cells doubled(cells.size() * 2, std::vector<uint32_t>(256, 0));
    for (size_t c = 0; c < doubled.size(); ++c)
      for (size_t i = 0; i < 256; ++i)
        if (cells[c / 2][i]) doubled[c][i] = cells[c / 2][i];
    for (size_t c = 1; c < doubled.size(); c += 2)
      for (size_t i = 0; i < 256; ++i) {
        uint32_t s = doubled[c][i];
        uint32_t& d = doubled[(c + 1) % doubled.size()][i];
        if (s) d = Average(s, d);
      }
    cells = doubled;
  }
  for (size_t c = 0; c < 80; ++c)
    for (size_t i = 0; i < 256; ++i) ASSERT_EQ(ballSheet->sheet->pixels[c * 256 + i], cells[c][i]) << c;
  // The drawn frames return unchanged every eighth cell.
  for (int32_t k = 0; k < 10; ++k)
    EXPECT_EQ(ballSheet->sheet->pixels[(8 * k + 7) * 256 + 8 * 16 + 8], source->pixels[(k + 2) * 256 + 8 * 16 + 8]);
}

TEST_F(SpriteParts, StatisticsTintIsUndoneExactlyEveryTime) {
  Image before(IMGCopy(bitmapFont->sheet));
  for (int cycle = 0; cycle < 3; ++cycle) {
    DemoStatsFontTint();
    for (int32_t i = 0; i < 256 * 256; i += 97)
      ASSERT_EQ(bitmapFont->sheet->pixels[i], SubColour(AddColour(before->pixels[i], 0x000020), 0x505000));
    DemoStatsFontRestore();
    ASSERT_TRUE(IMGEqual(bitmapFont->sheet, before.get())) << "cycle " << cycle;
  }
  DemoStatsFontRestore();  // without a tint: nothing changes
  EXPECT_TRUE(IMGEqual(bitmapFont->sheet, before.get()));
}

TEST_F(SpriteParts, TilesCoverTheScreenAndOffsetsStayInRange) {
  const IMG* tiles = tileSheet->sheet;
  for (int frame = 0; frame < 600; ++frame) {
    DemoTileState state = swarmTiles;
    DemoTiles(&swarmTiles, 4);
    for (int32_t y = 0; y < 256; y += 7)
      for (int32_t x = 0; x < 256; x += 5) {
        int32_t tx = ((x - state.offsetX) % 16 + 16) % 16, ty = ((y - state.offsetY) % 16 + 16) % 16;
        ASSERT_EQ(workImage->pixels[x + 256 * y], tiles->pixels[4 * 16 + tx + 256 * ty]);
      }
    int32_t expectX = (state.offsetX + state.velocityX) % 16;
    if (expectX > 0) expectX -= 16;
    ASSERT_EQ(swarmTiles.offsetX, expectX);
    ASSERT_GE(swarmTiles.offsetY, -15);
    ASSERT_LE(swarmTiles.offsetY, 0);
    ASSERT_GE(swarmTiles.velocityX, -3);
    ASSERT_LE(swarmTiles.velocityX, 4);
  }
  EXPECT_EQ(rainTiles.offsetX, 0);  // the other part's state is its own
}

TEST_F(SpriteParts, CountsAdaptAfterTheSpritesAndNeverGoBelowZero) {
  EXPECT_EQ(DemoAdaptCount(0), 10);
  measuredFps = 24;
  EXPECT_EQ(DemoAdaptCount(35), 25);
  EXPECT_EQ(DemoAdaptCount(5), 0);
  EXPECT_EQ(DemoAdaptCount(0), 0);
  targetFps = 50;
  measuredFps = 49;
  DemoRainSprites();
  EXPECT_EQ(rainCount, 0);
  measuredFps = 50;
  DemoRainSprites();
  EXPECT_EQ(rainCount, 10);
}

TEST_F(SpriteParts, SwarmFollowsTheWalkerWithConsecutiveFrames) {
  swarmWalker = DemoWalker{1000, 10, 31, 2, 7, 3};
  swarmCount = 170;
  DemoSwarmSprites();
  Image expected(IMGNew());
  IMGResize(expected.get(), 256, 256);
  int32_t p = 1000, q = 10;
  for (int32_t n = 170; n >= 0; --n) {
    KeyedCell(ballSheet->sheet, n % 80, (SineTable[p] >> 8) + 120, (SineTable[q] >> 8) + 120, expected.get());
    p = (p + 7) & 1023;
    q = (q + 3) & 1023;
  }
  EXPECT_TRUE(IMGEqual(workImage, expected.get()));
  EXPECT_EQ(swarmWalker.base1, (1000 + 31) & 1023);
  EXPECT_EQ(swarmWalker.base2, 12);
  EXPECT_EQ(swarmCount, 180);
}

TEST_F(SpriteParts, RainDrawsCodeXYPerSpriteInThatOrder) {
  rainCount = 300;
  srand(99);
  DemoRainSprites();
  const int after = rand();
  Image expected(IMGNew());
  IMGResize(expected.get(), 256, 256);
  srand(99);
  for (int n = 0; n <= 300; ++n) {
    int32_t code = rand() % 10 + 2;
    int32_t x = rand() % 240;
    int32_t y = rand() % 240;
    KeyedCell(rainSheet->sheet, code, x, y, expected.get());
  }
  EXPECT_EQ(rand(), after);
  EXPECT_TRUE(IMGEqual(workImage, expected.get()));
}

TEST_F(SpriteParts, StatisticsShowTheTextsAndTenDigits) {
  DemoStats(1234);
  auto cellAt = [&](char c, int32_t x, int32_t y) {
    const IMG* font = bitmapFont->sheet;
    for (int32_t i = 0; i < 16; ++i)
      for (int32_t j = 0; j < 16; ++j)
        if (workImage->pixels[x + j + 256 * (y + i)] != font->pixels[(c % 16) * 16 + j + 256 * ((c / 16) * 16 + i)])
          return false;
    return true;
  };
  auto line = [&](const char* text, int32_t y) {
    for (int32_t k = 0; text[k]; ++k)
      if (!cellAt(text[k], 16 * k, y)) return false;
    return true;
  };
  EXPECT_TRUE(line("SPRITES", 32));
  EXPECT_TRUE(line("BENCHMARK", 48));
  EXPECT_TRUE(line("SPRITES", 192));
  EXPECT_TRUE(line("PER FRAME:", 208));
  EXPECT_TRUE(line("0000001234", 224));
  EXPECT_EQ(workImage->pixels[160 + 256 * 224], 0u);  // nothing after the tenth digit
}

// A whole part with the real frame tail (on SDL's dummy video driver), ended
// by Space after its first frame: the set-up draws in order and the font
// comes back unchanged.
TEST_F(SpriteParts, SwarmPartDrawsItsSetUpInOrderAndRestoresTheFont) {
  display = SDLDPYNew();
  ASSERT_NE(display, nullptr);
  SDLDPYSetMode(display, 256, 256);
  keyboard = SDLKBDNew();
  ASSERT_NE(keyboard, nullptr);
  glareImage = IMGCopy(workImage);
  blurImage = IMGCopy(workImage);
  Image font(IMGCopy(bitmapFont->sheet));

  srand(4321);
  std::vector<int> draws;
  for (int i = 0; i < 8; ++i) draws.push_back(rand());
  srand(4321);
  controlFlags |= CONTROL_NEXT;
  fadeOn = 1;
  DemoSwarm();
  EXPECT_EQ(fadeColour, uint32_t(draws[0] & 0x3F) * 0x010101u + 0x404040u);
  EXPECT_EQ(fadeOn, 0);
  EXPECT_EQ(swarmWalker.speed1, (draws[2] & 0x1F) + 1);
  EXPECT_EQ(swarmWalker.step1, (draws[3] & 7) + 1);
  EXPECT_EQ(swarmWalker.base1, ((draws[1] & 1023) + swarmWalker.speed1) & 1023);
  EXPECT_EQ(swarmWalker.speed2, (draws[5] & 0x1F) + 1);
  EXPECT_EQ(swarmWalker.step2, (draws[6] & 7) + 1);
  EXPECT_EQ(swarmWalker.base2, ((draws[4] & 1023) + swarmWalker.speed2) & 1023);
  EXPECT_EQ(swarmTileIndex, draws[7] % 5 + 1);
  EXPECT_TRUE(swarmCount == 0 || swarmCount == 10);
  EXPECT_TRUE(IMGEqual(bitmapFont->sheet, font.get()));

  controlFlags |= CONTROL_NEXT;
  DemoRain();
  EXPECT_TRUE(rainCount == 0 || rainCount == 10);
  EXPECT_TRUE(IMGEqual(bitmapFont->sheet, font.get()));
  EXPECT_EQ(controlFlags & CONTROL_NEXT, 0);
}

}  // namespace

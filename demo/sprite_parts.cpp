// The two sprite benchmark parts: a swarm of spinning balls strung along a
// sliding Lissajous curve, and a rain of sprites at random places, both over
// a scrolling tiled background. Each draws as many sprites as the machine
// sustains at the target frame rate and shows that number.
#include "sprite_parts.h"

#include <cstdlib>

#include "font.h"
#include "fps.h"
#include "img.h"
#include "music.h"
#include "sine.h"
#include "vorndemo.h"

int32_t swarmCount = 0;
int32_t rainCount = 0;
DemoTileState swarmTiles = {0, 0, 3, 2};
DemoTileState rainTiles = {0, 0, 3, 2};
DemoWalker swarmWalker = {};
int32_t swarmTileIndex = 1;

namespace {

constexpr int32_t kPartFrames = 750;
constexpr int32_t kBallFrames = 80;
constexpr int32_t kMusicPeriod = 224;

// The statistics tint, and the font's own pictures kept while it is applied.
// The tint saturates (the glyphs' brown boxes lose their red, white loses
// nothing of its blue), so subtracting it again would not give the font
// back; the kept copy does, exactly.
constexpr uint32_t kStatsLift = 0x000020;
constexpr uint32_t kStatsDarken = 0x505000;
IMG* untintedFont = nullptr;
bool fontTinted = false;

// Offset (offset + velocity) remainder 16, truncating, kept in -15..0.
int32_t ScrollOffset(int32_t offset, int32_t velocity) {
  int32_t next = (offset + velocity) % 16;
  return next > 0 ? next - 16 : next;
}

// A new velocity in -3..4 once in 256 frames on average.
int32_t MaybeNewVelocity(int32_t velocity) {
  if ((rand() & 0xFF) != 0) return velocity;
  return (rand() & 7) - 3;
}

// Set-up shared by both parts: the trail colour, the switches, the music's pace.
void SpritePartSetup() {
  fadeColour = uint32_t(rand() & 0x3F) * 0x010101u + 0x404040u;
  blurOn = 0;
  glareOn = 0;
  fadeOn = 0;
  if (music) music->period = kMusicPeriod;
}

void SwarmFrame() {
  DemoTiles(&swarmTiles, swarmTileIndex);
  DemoSwarmSprites();
  if (statsOn) DemoStats(swarmCount);
}

void RainFrame() {
  DemoTiles(&rainTiles, 15);
  DemoRainSprites();
  if (statsOn) DemoStats(rainCount);
}

}  // namespace

void DemoTiles(DemoTileState* tiles, int32_t index) {
  if (!tiles || !tileSheet) return;
  tileSheet->code = index;
  const int32_t rows = screenHeight / 16 + 2, columns = screenWidth / 16 + 2;
  int32_t y = tiles->offsetY;
  for (int32_t row = 0; row < rows; ++row, y += 16) {
    tileSheet->x = tiles->offsetX;
    tileSheet->y = y;
    for (int32_t column = 0; column < columns; ++column) FONTDrawCharSolid(tileSheet);
  }
  tiles->offsetX = ScrollOffset(tiles->offsetX, tiles->velocityX);
  tiles->offsetY = ScrollOffset(tiles->offsetY, tiles->velocityY);
  tiles->velocityX = MaybeNewVelocity(tiles->velocityX);
  tiles->velocityY = MaybeNewVelocity(tiles->velocityY);
}

void DemoStats(int32_t count) {
  if (!bitmapFont) return;
  struct Line {
    int32_t y;
    const char* text;
  };
  const Line lines[] = {{32, "SPRITES"}, {48, "BENCHMARK"}, {screenHeight - 64, "SPRITES"},
                        {screenHeight - 48, "PER FRAME:"}};
  for (const Line& line : lines) {
    bitmapFont->x = 0;
    bitmapFont->y = line.y;
    FONTDrawText(bitmapFont, line.text);
  }
  bitmapFont->x = 0;
  bitmapFont->y = screenHeight - 32;
  FONTDrawDecimal(bitmapFont, uint32_t(count));
}

int32_t DemoAdaptCount(int32_t count) {
  if (measuredFps < targetFps) return count > 10 ? count - 10 : 0;
  return count < INT32_MAX - 10 ? count + 10 : count;
}

void DemoSwarmSprites(void) {
  if (ballSheet) {
    // Sine entries are -32767..32767, so a pen lies within 128 pixels of the centre.
    const int32_t centreX = screenWidth / 2 - 8, centreY = screenHeight / 2 - 8;
    int32_t p = swarmWalker.base1, q = swarmWalker.base2;
    for (int32_t n = swarmCount; n >= 0; --n) {
      ballSheet->code = n % kBallFrames;
      ballSheet->x = (SineTable[p] >> 8) + centreX;
      ballSheet->y = (SineTable[q] >> 8) + centreY;
      FONTDrawChar(ballSheet);
      p = (p + swarmWalker.step1) & SineTableMask;
      q = (q + swarmWalker.step2) & SineTableMask;
    }
  }
  swarmWalker.base1 = (swarmWalker.base1 + swarmWalker.speed1) & SineTableMask;
  swarmWalker.base2 = (swarmWalker.base2 + swarmWalker.speed2) & SineTableMask;
  swarmCount = DemoAdaptCount(swarmCount);
}

void DemoRainSprites(void) {
  for (int32_t n = rainCount; n >= 0; --n) {
    // Three draws per sprite, in this order, even without a sheet to draw.
    const int32_t code = rand() % 10 + 2;
    const int32_t x = rand() % (screenWidth - 16);
    const int32_t y = rand() % (screenHeight - 16);
    if (!rainSheet) continue;
    rainSheet->code = code;
    rainSheet->x = x;
    rainSheet->y = y;
    FONTDrawChar(rainSheet);
  }
  rainCount = DemoAdaptCount(rainCount);
}

void DemoStatsFontTint(void) {
  if (!bitmapFont || !bitmapFont->sheet || fontTinted) return;
  if (!untintedFont) untintedFont = IMGCopy(bitmapFont->sheet);
  else IMGCopyTo(bitmapFont->sheet, untintedFont);
  if (!untintedFont || !IMGEqual(untintedFont, bitmapFont->sheet)) return;  // nothing to put back
  IMGAddColour(bitmapFont->sheet, kStatsLift);
  IMGSubColour(bitmapFont->sheet, kStatsDarken);
  fontTinted = true;
}

void DemoStatsFontRestore(void) {
  if (!fontTinted) return;
  IMGCopyTo(untintedFont, bitmapFont->sheet);
  fontTinted = false;
}

void DemoSwarm(void) {
  SpritePartSetup();
  swarmWalker.base1 = rand() & 1023;
  swarmWalker.speed1 = (rand() & 0x1F) + 1;
  swarmWalker.step1 = (rand() & 7) + 1;
  swarmWalker.base2 = rand() & 1023;
  swarmWalker.speed2 = (rand() & 0x1F) + 1;
  swarmWalker.step2 = (rand() & 7) + 1;
  swarmTileIndex = rand() % 5 + 1;
  DemoStatsFontTint();
  DemoFadeOut();
  DemoFrames(kPartFrames, SwarmFrame);
  DemoStatsFontRestore();
}

void DemoRain(void) {
  SpritePartSetup();
  DemoStatsFontTint();
  DemoFadeOut();
  DemoFrames(kPartFrames, RainFrame);
  DemoStatsFontRestore();
}

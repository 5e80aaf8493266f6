// The pieces of the two sprite benchmark parts, open to their tests: the
// scrolling tile background, the statistics text, one frame of each swarm
// and rain, and the count that adapts to the machine's speed.
#ifndef VORN_DEMO_SPRITE_PARTS_H
#define VORN_DEMO_SPRITE_PARTS_H

#include <cstdint>

// Scroll state of one part's tiled background; the offsets stay in -15..0.
struct DemoTileState {
  int32_t offsetX, offsetY;      // where the tile grid starts, 0, 0 at first
  int32_t velocityX, velocityY;  // pixels per frame, 3, 2 at first
};

// Sine-table phases of the swarm's first sprite, their advance per frame, and
// the phase distance between consecutive sprites.
struct DemoWalker {
  int32_t base1, base2;    // 0..1023: x and y phases
  int32_t speed1, speed2;  // 1..32
  int32_t step1, step2;    // 1..8
};

// Adaptive sprite counts: each part draws count + 1 sprites. Kept across cycles.
extern int32_t swarmCount;
extern int32_t rainCount;
extern DemoTileState swarmTiles;
extern DemoTileState rainTiles;
extern DemoWalker swarmWalker;
extern int32_t swarmTileIndex;  // 1..5, drawn at each swarm start

// The two parts: a fade, then 750 frames (or until Space) each.
void DemoSwarm(void);
void DemoRain(void);

// Covers workImage with tile index of tileSheet at the state's offsets, then scrolls.
void DemoTiles(DemoTileState* tiles, int32_t index);
// The statistics text with bitmapFont: "SPRITES", "BENCHMARK", ..., the count in ten digits.
void DemoStats(int32_t count);
// count - 10 (not below 0) when the machine missed targetFps in the last second, else count + 10.
int32_t DemoAdaptCount(int32_t count);
// The swarm of one frame along the walker's Lissajous curve, then the walker moves
// and swarmCount adapts.
void DemoSwarmSprites(void);
// The rain of one frame at random places, then rainCount adapts.
void DemoRainSprites(void);
// Tints bitmapFont for the statistics (blue lifted by 0x20, then red and green
// lowered by 0x50), keeping a copy of its pictures; untinted if no copy can be kept.
void DemoStatsFontTint(void);
// Puts back exactly the pictures DemoStatsFontTint kept; nothing if it did not tint.
void DemoStatsFontRestore(void);

#endif

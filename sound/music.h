// MUSIC: generative music. A set of instrument samples and one loop buffer of
// 160000 values that is queued for playing again and again; once every period
// steps MUSICStep lays a random instrument into the loop 1, 2, 4 or 8 times at
// evenly spaced, randomly shifted positions and blends this pattern in while
// fading the old loop to three quarters.
//
// Threads: MUSICStep runs on the main thread while the audio thread may be
// playing buffer; it mixes aside and replaces the buffer's values in one pass
// under the audio lock (SDLSNDLocked), so the callback never plays a half-mixed value.
#ifndef VORN_SOUND_MUSIC_H
#define VORN_SOUND_MUSIC_H

#include <cstdint>

struct LIST;
struct SAMPLE;

struct MUSIC {
  int32_t countdown;  // MUSICStep calls left before the next step; 0 at creation
  int32_t period;     // calls between steps; 10 at creation, set by the demo parts
  SAMPLE* buffer;     // the loop: 160000 values, zero at creation; owned
  LIST* instruments;  // SAMPLE pointers in the order added; owned
  SAMPLE* scratch;    // MUSICStep's mix scratch, the loop's length; made on the first step; owned
};

// Identification strings: name, date, author, language, kind.
extern const char* const MUSICIdent[5];
// Set to make MUSICError print "MUSIC ERROR"; clear by default.
extern uint8_t MUSICDebug;
// Set to make MUSICStep build its pattern with the plain whole-sample operations
// instead of the direct placement (same result; for checking the fast path).
extern uint8_t MUSICPlainPath;

// Length of the loop buffer of a new music: 16 slots of 10000 values.
constexpr int32_t MUSIC_LOOP_LENGTH = 160000;

// New music: countdown 0, period 10, a zero loop of 160000 values, no instruments;
// null if an allocation fails.
MUSIC* MUSICNew(void);
// Frees the loop, the scratch, every instrument, the list and the record; *music = null. A queued
// loop must be out of the audio queue (or the output freed) first.
void MUSICFree(MUSIC** music);
// Appends sample to the instruments; the music takes ownership. Null arguments: nothing.
void MUSICAdd(MUSIC* music, SAMPLE* sample);
// Counts down; on the step call mixes a random pattern into the loop (see above).
// Nothing for a null music; with no instruments or an empty loop only the countdown runs.
void MUSICStep(MUSIC* music);
// The music has no text form and no copy: always null.
char* MUSICToASCII(const MUSIC* music);
MUSIC* MUSICFromASCII(const char* text);
MUSIC* MUSICCopy(const MUSIC* music);
// Always 0.
int MUSICEqual(const MUSIC* a, const MUSIC* b);

// Prints "MUSIC ERROR" when MUSICDebug is set.
void MUSICError(void);

#endif

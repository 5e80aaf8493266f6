// SOUND: stateless generators that fill an existing sample with a waveform
// or shape its loudness, over the sample's current length. Positions are in
// 17.15 fixed point (one value = 32768, one second = 44100 x 32768), gains
// in 1.15 (32768 = unity). Stores outside the sample are skipped.
//
// A null sample (or one without values) is reported with SOUNDError and left alone.
#ifndef VORN_SOUND_SOUND_H
#define VORN_SOUND_SOUND_H

#include <cstdint>

struct SAMPLE;

// Identification strings: name, date, author, language, kind.
extern const char* const SOUNDIdent[5];
// Set to make SOUNDError print "SOUND Error."; clear by default.
extern uint8_t SOUNDDebug;

// Overwrites the sample with a sine of frequency Hz from phase 0, read from a one-cycle
// table of 44100 values (amplitude 32766) built on the first call; 0 Hz and negative
// frequencies give silence. From 44100 Hz up the phase is wrapped only once per value:
// the sine aliases while the phase stays in the table, and once it has left it the
// remaining values are 0.
void SOUNDSine(SAMPLE* sample, int32_t frequency);
// Writes whole cycles of a square wave (+32767, 0, -32768, 0) from index 0; the values
// after the last whole cycle stay. Frequencies outside 1..44100 Hz are refused.
void SOUNDSquare(SAMPLE* sample, int32_t frequency);
// Overwrites the sample with random levels from rand(), rate new levels per second,
// filled from the last value down.
void SOUNDNoise(SAMPLE* sample, int32_t rate);
// Multiplies by a gain falling linearly from 1 to about 0; nothing for an empty sample.
void SOUNDFadeOut(SAMPLE* sample);
// Multiplies by a gain rising linearly from 0 to about 1; nothing for an empty sample.
void SOUNDFadeIn(SAMPLE* sample);
// Multiplies by the ramp 32767 .. 0 over the length and shifts right by 15.
void SOUNDDecay(SAMPLE* sample);
// Multiplies by the ramp 0 .. 32767 over the length and shifts right by 15.
void SOUNDAttack(SAMPLE* sample);

// Prints "SOUND Error." when SOUNDDebug is set.
void SOUNDError(void);

#endif

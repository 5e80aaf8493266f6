// SAMPLE: a growable array of signed 32-bit values, one per value of a mono
// signal at 44100 values per second on the signed 16-bit scale. The type
// neither knows the rate nor clamps; it also serves as a plain integer table.
//
// Every operation checks its arguments (pointers, items, index ranges); a
// rejected call calls SAMPLEError, changes nothing and returns null, 0, -1 for
// searches, or nothing. Arithmetic wraps in 32-bit two's complement.
#ifndef VORN_SOUND_SAMPLE_H
#define VORN_SOUND_SAMPLE_H

#include <cstdint>
#include <cstdio>

struct SAMPLE {
  int32_t length;    // values in use, in slots 0..length-1
  int32_t capacity;  // slots allocated in items; 0 <= length <= capacity
  int32_t* items;    // the slots, zero-filled when allocated
};

// Largest length and capacity a sample may have: 64 Mi values (256 MiB, over 25 minutes
// at 44100 values per second). Every operation that would need more slots (reserving,
// setting the length, inserting, resampling, reading) refuses before allocating.
constexpr int32_t SAMPLE_MAX_LENGTH = int32_t(1) << 26;

// Identification strings: name, date, author, language, kind.
extern const char* const SAMPLEIdent[5];
// Set to make SAMPLEError print "SAMPLE error"; clear by default.
extern uint8_t SAMPLEDebug;

// New empty sample of capacity 32; null if an allocation fails.
SAMPLE* SAMPLENew(void);
// Frees the values and the record; sets *sample to null.
void SAMPLEFree(SAMPLE** sample);
// New text "SAMPLE { n\n" + "%ld\n" per value + "}\n" ("SAMPLE { 0 }\n" when empty); caller frees it.
char* SAMPLEToASCII(const SAMPLE* sample);
// Parses the text form; null if "SAMPLE", '{', the length or any announced value is missing.
SAMPLE* SAMPLEFromASCII(const char* text);
// 1 if same length and values; otherwise reports and returns 0.
int SAMPLEEqual(const SAMPLE* a, const SAMPLE* b);
// New sample with the same values, capacity = length (32 when empty).
SAMPLE* SAMPLECopy(const SAMPLE* sample);
// New sample of n >= 0 values, each byte taken as a signed 8-bit number (not scaled).
SAMPLE* SAMPLEFromBytes(const uint8_t* bytes, int32_t n);
// New sample of values first..end-1, end clamped to length and first to 0; null if first > end.
SAMPLE* SAMPLESub(const SAMPLE* sample, int32_t first, int32_t end);
// Inserts all source values before index 0 <= at <= target length (capacity becomes exactly the sum).
void SAMPLEInsertSample(SAMPLE* target, const SAMPLE* source, int32_t at);

// 0 < n <= SAMPLE_MAX_LENGTH: exactly n zero-filled slots keeping the first min(length, n) values.
void SAMPLEReserve(SAMPLE* sample, int32_t n);
// 0 <= n <= SAMPLE_MAX_LENGTH: reserves exactly n slots if capacity is smaller, then length n
// (old values reappear).
void SAMPLESetLength(SAMPLE* sample, int32_t n);
// Value at 0 <= index < length; 0 (and a report) otherwise.
int32_t SAMPLEGet(const SAMPLE* sample, int32_t index);
// Stores value at 0 <= index < length; stores nothing otherwise.
void SAMPLESet(SAMPLE* sample, int32_t index, int32_t value);
// Inserts value at 0 <= index <= length, doubling the capacity when full, up to
// SAMPLE_MAX_LENGTH (note: value first).
void SAMPLEInsert(SAMPLE* sample, int32_t value, int32_t index);
// Removes the value at 0 <= index < length.
void SAMPLERemove(SAMPLE* sample, int32_t index);
// Sets values 0..length-1 to 0.
void SAMPLEClear(SAMPLE* sample);
// Copies n values source[from..] to target[to..] (overlap-safe); n <= 0 copies nothing.
void SAMPLECopyRange(const SAMPLE* source, SAMPLE* target, int32_t n, int32_t from, int32_t to);

// value x k for every value.
void SAMPLEScale(SAMPLE* sample, int32_t k);
// Arithmetic shift right by 0 <= s <= 32 (32 leaves 0 or -1).
void SAMPLEShiftRight(SAMPLE* sample, int32_t s);
// Shift left by 0 <= s <= 32 (32 leaves 0).
void SAMPLEShiftLeft(SAMPLE* sample, int32_t s);
// a[i] += b[i] below the smaller length; a may be b.
void SAMPLEAdd(SAMPLE* a, const SAMPLE* b);
// a[i] *= b[i] below the smaller length; a may be b.
void SAMPLEMultiply(SAMPLE* a, const SAMPLE* b);
// Reverses the value order.
void SAMPLEReverse(SAMPLE* sample);
// new[i] = old[(i + r) mod length]; any r, nothing for an empty sample.
void SAMPLERotateLeft(SAMPLE* sample, int32_t r);
// new[i] = old[(i - r) mod length]; any r, nothing for an empty sample.
void SAMPLERotateRight(SAMPLE* sample, int32_t r);
// Integer ramp from (x1, y1) to (x2, y2), either order; refused unless both x lie in 0..length-1.
void SAMPLELine(SAMPLE* sample, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// 0 < n <= SAMPLE_MAX_LENGTH, n != length, length > 0: n values picked from the old ones;
// length = capacity = n.
void SAMPLEResample(SAMPLE* sample, int32_t n);
// Maps the values linearly onto lo..hi (min to lo, max to hi); a constant sample becomes lo.
void SAMPLEFit(SAMPLE* sample, int32_t lo, int32_t hi);

// Smallest value; 0 (and a report) for an empty sample.
int32_t SAMPLEMin(const SAMPLE* sample);
// Largest value; 0 (and a report) for an empty sample.
int32_t SAMPLEMax(const SAMPLE* sample);
// Lowest index >= start (0 <= start < length) holding value; -1 if none.
int32_t SAMPLEFind(const SAMPLE* sample, int32_t value, int32_t start);
// Positions k with a[offset + k] == b[k] where both exist; 1 - b length <= offset < a length, else -1.
int32_t SAMPLEMatchCount(const SAMPLE* a, const SAMPLE* b, int32_t offset);
// Offset with the most matches (earliest wins ties); -(b length) when nothing matches.
int32_t SAMPLEBestOffset(const SAMPLE* a, const SAMPLE* b);

// Writes every value as signed PCM of width 8, 24, 32 or (any other) 16 bits, clamped;
// order 'b' most significant byte first, else least first, and flushes the file. 1 on
// success; 0 (and SAMPLEError) when any byte or the flush fails, as on a full disk.
int SAMPLEWriteRaw(const SAMPLE* sample, FILE* file, int32_t width, char order);
// Reads raw PCM to the end of the file: width 8 or 16, order 'b' or 'l', signedness
// 's' or 'u'; 8-bit values are scaled by 256, unsigned data centred; an odd last byte
// of 16-bit data is dropped. Null on bad arguments, on a read error (only the end of
// the file ends the sample), on more than SAMPLE_MAX_LENGTH values or allocation failure.
SAMPLE* SAMPLEReadRaw(FILE* file, int32_t width, char order, char signedness);

// Prints "SAMPLE error" when SAMPLEDebug is set.
void SAMPLEError(void);

#endif

// RASTER: raster bars. A cyclic table of colours is laid over an Image one
// colour per row or per column, starting at the table entry given by the
// integer part of a 16.16 scroll position; each step moves the position by
// a fixed speed and wraps it, so the bars roll.
//
// A null raster, image or table is an error (RASTERError): the call changes
// nothing and returns null or 0.
#ifndef VORN_SPRITE_RASTER_H
#define VORN_SPRITE_RASTER_H

#include <cstdint>

struct IMG;

struct RASTER {
  int32_t position;   // 16.16 entries; 0 <= position < count * 65536 after a step
  int32_t speed;      // 16.16 entries added per step
  int32_t count;      // entries in colours
  uint32_t* colours;  // count colours 0x00RRGGBB; owned
};

// Identification strings: name, date, author, language, kind.
extern const char* const RASTERIdent[5];
// Set to make RASTERError print "RASTER error"; clear by default.
extern uint8_t RASTERDebug;

// Largest table: a scroll position over it still fits in 32 bits.
constexpr int32_t RASTER_MAX_COUNT = 32767;

// New raster of 256 black entries, position 0, speed 65536 + rand() mod 1048575; null on
// allocation failure.
RASTER* RASTERNew(void);
// Frees the table and the record and sets *raster to null; null raster or *raster: error only.
void RASTERFree(RASTER** raster);
// No text form: always null.
char* RASTERToASCII(const RASTER* raster);
// Always null.
RASTER* RASTERFromASCII(const char* text);
// 1 if both have the same count and colours (position and speed aside); null: error, 0.
int RASTEREqual(const RASTER* a, const RASTER* b);
// Copies colours, position and speed into a target of the same count; a different count is
// an error and nothing is copied.
void RASTERCopyTo(const RASTER* source, RASTER* target);
// New raster (through RASTERNew: one random draw) with the same count, colours, position and
// speed; null on error.
RASTER* RASTERCopy(const RASTER* raster);
// Replaces the table by n black entries (0 <= n <= RASTER_MAX_COUNT), position 0, speed kept.
// If the new table cannot be allocated nothing changes.
void RASTERSetCount(RASTER* raster, int32_t n);
// All colours 0.
void RASTERClear(RASTER* raster);
// position += speed, wrapped into 0..count * 65536 - 1; an empty table is an error.
void RASTERStep(RASTER* raster);
// Row y of the image in colour[((position >> 16) + y) mod count] across its full width.
void RASTERDrawRows(RASTER* raster, IMG* image);
// The same rows blended with alpha 0..256 (IMGHLineBlendColour).
void RASTERDrawRowsBlend(RASTER* raster, IMG* image, int32_t alpha);
// Column x of the image in colour[((position >> 16) + x) mod count] over its full height.
void RASTERDrawColumns(RASTER* raster, IMG* image);
// Smooths each channel over 2r + 2 entries around each entry (the entry counted twice), the
// table wrapping at its top end and mirrored at entry 0; r <= 0 is an error.
void RASTERSmooth(RASTER* raster, int32_t r);
// A new raster (through RASTERNew) with the colours of the file at path, as RASTERSave writes
// them (an empty file: count 0); null if the file cannot be read, holds anything but
// hexadecimal words of up to 8 digits, or more than RASTER_MAX_COUNT of them.
RASTER* RASTERLoad(const char* path);
// Writes the colours to the file at path, one a line as 8 hexadecimal digits, and returns 1;
// an empty table or a failed write is an error (0).
int RASTERSave(const RASTER* raster, const char* path);

// Prints "RASTER error" when RASTERDebug is set.
void RASTERError(void);

#endif

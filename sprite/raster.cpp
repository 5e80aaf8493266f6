// RASTER: rolling colour bars drawn with the colour-first line operations.
#include "raster.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "img.h"

const char* const RASTERIdent[5] = {"RASTER  ", "20120815", "ZEKTORIN", "C", "CODE"};
uint8_t RASTERDebug = 0;

void RASTERError(void) {
  if (RASTERDebug) puts("RASTER error");
}

namespace {

constexpr int32_t kNewCount = 256;
constexpr int64_t kOne = 65536;

// A raster whose table can be drawn from: present, with at least one entry.
bool Drawable(const RASTER* raster) { return raster && raster->colours && raster->count > 0; }

// n zero-filled colours; null when n is out of range or allocation fails.
uint32_t* NewTable(int32_t n) {
  if (n < 0 || n > RASTER_MAX_COUNT) return nullptr;
  // n <= RASTER_MAX_COUNT keeps n * 4 far inside size_t; one entry at least so
  // an empty table is still an allocation of its own.
  return static_cast<uint32_t*>(calloc(size_t(n > 0 ? n : 1), sizeof(uint32_t)));
}

// Table entry of line number line (row or column): a position set out of
// range by a caller still selects an entry inside the table.
uint32_t ColourAt(const RASTER* raster, int32_t line) {
  int64_t i = ((int64_t(raster->position) >> 16) + line) % raster->count;
  if (i < 0) i += raster->count;
  return raster->colours[i];
}

int32_t Channel(uint32_t colour, int shift) { return int32_t((colour >> shift) & 0xFF); }

}  // namespace

RASTER* RASTERNew(void) {
  RASTER* raster = static_cast<RASTER*>(calloc(1, sizeof(RASTER)));
  if (!raster) return RASTERError(), nullptr;
  raster->colours = NewTable(kNewCount);
  if (!raster->colours) {
    free(raster);
    return RASTERError(), nullptr;
  }
  raster->count = kNewCount;
  raster->speed = int32_t(kOne + rand() % 1048575);
  return raster;
}

void RASTERFree(RASTER** raster) {
  if (!raster || !*raster) return RASTERError();
  free((*raster)->colours);
  free(*raster);
  *raster = nullptr;
}

char* RASTERToASCII(const RASTER* raster) {
  if (!raster) RASTERError();
  return nullptr;
}

RASTER* RASTERFromASCII(const char* text) {
  if (!text) RASTERError();
  return nullptr;
}

int RASTEREqual(const RASTER* a, const RASTER* b) {
  if (!a || !b || !a->colours || !b->colours) return RASTERError(), 0;
  if (a->count != b->count) return 0;
  return memcmp(a->colours, b->colours, size_t(a->count) * sizeof(uint32_t)) == 0;
}

void RASTERCopyTo(const RASTER* source, RASTER* target) {
  if (!source || !target || !source->colours || !target->colours) return RASTERError();
  if (source->count != target->count) return RASTERError();
  if (source == target) return;
  memcpy(target->colours, source->colours, size_t(source->count) * sizeof(uint32_t));
  target->position = source->position;
  target->speed = source->speed;
}

RASTER* RASTERCopy(const RASTER* raster) {
  if (!raster || !raster->colours) return RASTERError(), nullptr;
  RASTER* copy = RASTERNew();
  if (!copy) return nullptr;
  if (copy->count != raster->count) RASTERSetCount(copy, raster->count);
  if (copy->count != raster->count) {
    RASTERFree(&copy);
    return nullptr;
  }
  RASTERCopyTo(raster, copy);
  return copy;
}

void RASTERSetCount(RASTER* raster, int32_t n) {
  if (!raster) return RASTERError();
  uint32_t* table = NewTable(n);
  if (!table) return RASTERError();
  free(raster->colours);
  raster->colours = table;
  raster->count = n;
  raster->position = 0;
}

void RASTERClear(RASTER* raster) {
  if (!raster || !raster->colours) return RASTERError();
  memset(raster->colours, 0, size_t(raster->count) * sizeof(uint32_t));
}

void RASTERStep(RASTER* raster) {
  if (!Drawable(raster)) return RASTERError();
  const int64_t limit = int64_t(raster->count) * kOne;
  int64_t position = int64_t(raster->position) + raster->speed;
  if (position >= limit) {
    position %= limit;
  } else if (position < 0) {
    // The remainder has the sign of the dividend: -limit < r <= 0. A
    // remainder of 0 is position 0, not limit, so the position stays in range.
    const int64_t r = position % limit;
    position = r == 0 ? 0 : limit + r;
  }
  raster->position = int32_t(position);
}

void RASTERDrawRows(RASTER* raster, IMG* image) {
  if (!Drawable(raster) || !IMGUsable(image)) return RASTERError();
  for (int32_t y = 0; y < image->height; ++y)
    IMGHLineColour(image, ColourAt(raster, y), y, 0, image->width - 1);
}

void RASTERDrawRowsBlend(RASTER* raster, IMG* image, int32_t alpha) {
  if (!Drawable(raster) || !IMGUsable(image)) return RASTERError();
  for (int32_t y = 0; y < image->height; ++y)
    IMGHLineBlendColour(image, ColourAt(raster, y), y, 0, image->width - 1, alpha);
}

void RASTERDrawColumns(RASTER* raster, IMG* image) {
  if (!Drawable(raster) || !IMGUsable(image)) return RASTERError();
  for (int32_t x = 0; x < image->width; ++x)
    IMGVLineColour(image, ColourAt(raster, x), x, 0, image->height - 1);
}

void RASTERSmooth(RASTER* raster, int32_t r) {
  if (!raster || !raster->colours || r <= 0) return RASTERError();
  const int32_t count = raster->count;
  if (count == 0) return;
  uint32_t* smoothed = NewTable(count);
  if (!smoothed) return RASTERError();
  const uint32_t* old = raster->colours;
  const int64_t divisor = 2 * int64_t(r) + 2;
  for (int32_t i = 0; i < count; ++i) {
    uint32_t packed = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
      int64_t sum = 2 * Channel(old[i], shift);
      for (int64_t m = 1; m <= r; ++m) {
        const int64_t back = i - m < 0 ? m - i : i - m;  // mirrored at entry 0
        sum += Channel(old[(i + m) % count], shift) + Channel(old[back % count], shift);
      }
      packed |= uint32_t(sum / divisor) << shift;
    }
    smoothed[i] = packed;
  }
  memcpy(raster->colours, smoothed, size_t(count) * sizeof(uint32_t));
  free(smoothed);
}

namespace {

// Reads the colours of a raster file: hexadecimal words of up to 8 digits
// separated by white space. False for anything else or too many colours.
bool ReadColours(FILE* file, std::vector<uint32_t>* colours) {
  uint32_t value = 0;
  int digits = 0;
  for (int c = fgetc(file);; c = fgetc(file)) {
    if (c != EOF && isxdigit(c)) {
      if (++digits > 8) return false;
      value = value << 4 | uint32_t(isdigit(c) ? c - '0' : (c | 0x20) - 'a' + 10);
      continue;
    }
    if (c != EOF && !isspace(c)) return false;
    if (digits) {
      if (colours->size() >= size_t(RASTER_MAX_COUNT)) return false;
      colours->push_back(value);
      value = 0;
      digits = 0;
    }
    if (c == EOF) return !ferror(file);
  }
}

}  // namespace

RASTER* RASTERLoad(const char* path) {
  if (!path) return RASTERError(), nullptr;
  FILE* file = fopen(path, "rb");
  if (!file) return RASTERError(), nullptr;
  std::vector<uint32_t> colours;
  const bool read = ReadColours(file, &colours);
  fclose(file);
  if (!read) return RASTERError(), nullptr;
  RASTER* raster = RASTERNew();
  if (!raster) return nullptr;
  RASTERSetCount(raster, int32_t(colours.size()));
  if (raster->count != int32_t(colours.size())) {
    RASTERFree(&raster);
    return nullptr;
  }
  if (!colours.empty()) memcpy(raster->colours, colours.data(), colours.size() * sizeof(uint32_t));
  return raster;
}

int RASTERSave(const RASTER* raster, const char* path) {
  if (!raster || !raster->colours || raster->count <= 0 || !path) return RASTERError(), 0;
  FILE* file = fopen(path, "w");
  if (!file) return RASTERError(), 0;
  bool ok = true;
  for (int32_t i = 0; ok && i < raster->count; ++i) ok = fprintf(file, "%08X\n", unsigned(raster->colours[i])) == 9;
  if (fclose(file) != 0) ok = false;
  return ok ? 1 : (RASTERError(), 0);
}

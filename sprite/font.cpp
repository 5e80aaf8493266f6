// FONT: cells of a sheet drawn one at a time at an advancing pen.
#include "font.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "img.h"

const char* const FONTIdent[5] = {"FONT    ", "20120815", "ZEKTORIN", "C", "CODE"};
uint8_t FONTDebug = 0;

void FONTError(void) {
  if (FONTDebug) puts("FONT Error.");
}

namespace {

using BlitFunction = void (*)(const IMG*, IMG*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);

bool ValidCells(const FONT* font) { return font->cellWidth > 0 && font->cellHeight > 0; }

// A font that can draw: sheet and target present, cells at least one pixel.
bool Drawable(const FONT* font) {
  return font && IMGUsable(font->sheet) && IMGUsable(font->target) && ValidCells(font);
}

// Top-left sheet pixel of cell code; false when the sheet holds no such cell.
// Every cell that exists starts below width * height <= IMG_MAX_PIXELS, so a
// code whose start a = code * cellWidth does not fit in 32 bits is beyond the
// sheet, and the arithmetic below cannot overflow.
bool CellOrigin(const FONT* font, int32_t code, int32_t* sx, int32_t* sy) {
  const IMG* sheet = font->sheet;
  if (code < 0 || sheet->width < font->cellWidth || sheet->height < font->cellHeight) return false;
  if (code > INT32_MAX / font->cellWidth) return false;
  const int32_t a = code * font->cellWidth;
  const int32_t row = a / sheet->width;
  if (row > sheet->height / font->cellHeight) return false;  // keeps the product below in range
  const int32_t top = row * font->cellHeight;
  if (top >= sheet->height) return false;
  *sx = a % sheet->width;
  *sy = top;
  return true;
}

// The pen wraps instead of overflowing when a caller walks it far out.
void Advance(FONT* font, int32_t by) { font->x = int32_t(uint32_t(font->x) + uint32_t(by)); }

// One cell through blit; the caller has checked the font.
void DrawCell(FONT* font, BlitFunction blit) {
  int32_t sx, sy;
  if (CellOrigin(font, font->code, &sx, &sy))
    blit(font->sheet, font->target, sx, sy, font->x, font->y, font->cellWidth, font->cellHeight);
  Advance(font, font->cellWidth);
}

void DrawChecked(FONT* font, BlitFunction blit) {
  if (!Drawable(font)) return FONTError();
  DrawCell(font, blit);
}

void DrawCode(FONT* font, int32_t code) {
  font->code = code;
  DrawCell(font, IMGBlitKeyed);
}

int32_t HexDigit(uint32_t h) { return h < 10 ? int32_t('0' + h) : int32_t('A' + h - 10); }

void DrawHexByte(FONT* font, uint32_t value) {
  DrawCode(font, HexDigit((value >> 4) & 15));
  DrawCode(font, HexDigit(value & 15));
}

}  // namespace

FONT* FONTNew(void) {
  FONT* font = static_cast<FONT*>(calloc(1, sizeof(FONT)));
  if (!font) return FONTError(), nullptr;
  font->cellWidth = 6;
  font->cellHeight = 6;
  return font;
}

void FONTFree(FONT** font) {
  if (!font || !*font) return FONTError();
  if ((*font)->sheet) IMGFree(&(*font)->sheet);
  free(*font);
  *font = nullptr;
}

char* FONTToASCII(const FONT* font) {
  if (!font) return FONTError(), nullptr;
  char* sheet = nullptr;
  if (font->sheet && !(sheet = IMGToASCII(font->sheet))) return FONTError(), nullptr;
  char head[80];
  int headLength = snprintf(head, sizeof head, "FONT{\n%d %d %d %d %d\n", int(font->x), int(font->y),
                            int(font->cellWidth), int(font->cellHeight), int(font->code));
  size_t sheetLength = sheet ? strlen(sheet) : 0;
  char* text = static_cast<char*>(calloc(size_t(headLength) + sheetLength + 3, 1));
  if (!text) {
    free(sheet);
    return FONTError(), nullptr;
  }
  memcpy(text, head, size_t(headLength));
  if (sheet) memcpy(text + headLength, sheet, sheetLength);
  memcpy(text + size_t(headLength) + sheetLength, "}\n", 2);
  free(sheet);
  return text;
}

namespace {

// Reads white space, an optional sign and a run of digits at p into value; false when
// the digits are missing or the number lies outside lo..hi (it is never wrapped).
bool ReadNumber(const char*& p, int64_t lo, int64_t hi, int32_t* value) {
  while (isspace(static_cast<unsigned char>(*p))) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (!isdigit(static_cast<unsigned char>(*p))) return false;
  int64_t magnitude = 0;
  for (; isdigit(static_cast<unsigned char>(*p)); ++p) {
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > (int64_t(1) << 32)) return false;  // beyond any 32-bit number: stop early
  }
  const int64_t v = negative ? -magnitude : magnitude;
  if (v < lo || v > hi) return false;
  *value = int32_t(v);
  return true;
}

}  // namespace

FONT* FONTFromASCII(const char* text) {
  if (!text) return FONTError(), nullptr;
  const char* start = strstr(text, "FONT{");
  if (!start) return FONTError(), nullptr;
  const char* rest = start + 5;
  int32_t x, y, cellWidth, cellHeight, code;
  if (!ReadNumber(rest, INT32_MIN, INT32_MAX, &x) || !ReadNumber(rest, INT32_MIN, INT32_MAX, &y) ||
      !ReadNumber(rest, 1, IMG_MAX_SIDE, &cellWidth) || !ReadNumber(rest, 1, IMG_MAX_SIDE, &cellHeight) ||
      !ReadNumber(rest, INT32_MIN, INT32_MAX, &code))
    return FONTError(), nullptr;
  while (*rest == '\n' || *rest == ' ') ++rest;
  IMG* sheet = nullptr;
  if (strncmp(rest, "IMG{", 4) == 0 && strncmp(rest, "IMG{}", 5) != 0) {
    sheet = IMGFromASCII(rest);
    if (!sheet) return FONTError(), nullptr;
  }
  FONT* font = FONTNew();
  if (!font) {
    if (sheet) IMGFree(&sheet);
    return nullptr;
  }
  *font = FONT{x, y, cellWidth, cellHeight, code, sheet, nullptr};
  return font;
}

int FONTEqual(const FONT* a, const FONT* b) {
  if (!a || !b) return FONTError(), 0;
  if (a->x != b->x || a->y != b->y || a->cellWidth != b->cellWidth ||
      a->cellHeight != b->cellHeight || a->code != b->code || a->target != b->target)
    return 0;
  if (!a->sheet || !b->sheet) return a->sheet == b->sheet;
  return IMGEqual(a->sheet, b->sheet);
}

FONT* FONTCopy(const FONT* font) {
  if (!font) return FONTError(), nullptr;
  IMG* sheet = nullptr;
  if (font->sheet && !(sheet = IMGCopy(font->sheet))) return FONTError(), nullptr;
  FONT* copy = FONTNew();
  if (!copy) {
    if (sheet) IMGFree(&sheet);
    return nullptr;
  }
  *copy = *font;
  copy->sheet = sheet;
  return copy;
}

void FONTDrawChar(FONT* font) { DrawChecked(font, IMGBlitKeyed); }

void FONTDrawCharSolid(FONT* font) { DrawChecked(font, IMGBlit); }

void FONTDrawCharAdd(FONT* font) { DrawChecked(font, IMGBlitAdd); }

void FONTDrawText(FONT* font, const char* text) {
  if (!Drawable(font) || !text) return FONTError();
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c && *c != '\n'; ++c)
    DrawCode(font, *c);
}

void FONTDrawTextSolid(FONT* font, const char* text) {
  if (!Drawable(font) || !text) return FONTError();
  const int32_t left = font->x;
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
    if (*c == '\n') {
      font->x = left;
      font->y = int32_t(uint32_t(font->y) + uint32_t(font->cellHeight));
      continue;
    }
    font->code = *c;
    DrawCell(font, IMGBlit);
  }
}

void FONTDrawDecimal(FONT* font, uint32_t value) {
  if (!Drawable(font)) return FONTError();
  for (uint32_t d = 1000000000u; d > 0; d /= 10) DrawCode(font, int32_t('0' + (value / d) % 10));
}

void FONTDrawHex8(FONT* font, uint32_t value) {
  if (!Drawable(font)) return FONTError();
  DrawHexByte(font, value);
}

void FONTDrawHex16(FONT* font, uint32_t value) {
  if (!Drawable(font)) return FONTError();
  DrawHexByte(font, value >> 8);
  DrawHexByte(font, value);
}

void FONTDrawHex32(FONT* font, uint32_t value) {
  if (!Drawable(font)) return FONTError();
  for (int shift = 24; shift >= 0; shift -= 8) DrawHexByte(font, value >> shift);
}

void FONTDrawBig(FONT* big, FONT* small) {
  if (!Drawable(big) || !small || !IMGUsable(small->sheet) || !ValidCells(small)) return FONTError();
  small->target = big->target;
  int32_t sx, sy;
  if (CellOrigin(big, big->code, &sx, &sy)) {
    const IMG* sheet = big->sheet;
    // The cell may hang over the sheet's right or bottom edge: read only inside.
    const int32_t columns = sheet->width - sx < big->cellWidth ? sheet->width - sx : big->cellWidth;
    const int32_t rows = sheet->height - sy < big->cellHeight ? sheet->height - sy : big->cellHeight;
    for (int32_t i = 0; i < rows; ++i) {
      const uint32_t* row = sheet->pixels + size_t(sy + i) * size_t(sheet->width) + size_t(sx);
      for (int32_t j = 0; j < columns; ++j) {
        if (!row[j]) continue;
        small->x = int32_t(uint32_t(big->x) + uint32_t(j) * uint32_t(small->cellWidth));
        small->y = int32_t(uint32_t(big->y) + uint32_t(i) * uint32_t(small->cellHeight));
        FONTDrawChar(small);
      }
    }
  }
  Advance(big, int32_t(uint32_t(small->cellWidth) * uint32_t(big->cellWidth)));
}

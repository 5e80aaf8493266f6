// LFONT: line-object glyphs at an advancing pen.
#include "lfont.h"

#include <cstdio>
#include <cstdlib>

#include "list.h"
#include "wrap32.h"

const char* const LFONTIdent[5] = {"LFONT   ", "20121021", "ZEKTORIN", "C", "CODE"};
uint8_t LFONTDebug = 0;

void LFONTError(void) {
  if (LFONTDebug) puts("LFONT Error.");
}

namespace {

bool Whole(const LFONT* f) { return f && f->pen && f->cell && f->scale; }

OBJ2D* GlyphAt(const LFONT* f, int32_t code) { return static_cast<OBJ2D*>(LISTGet(f->glyphs, code)); }

VEC2D* NewVector(int32_t x, int32_t y) {
  VEC2D* v = VEC2DNew();
  if (v) v->x = x, v->y = y;
  return v;
}

uint32_t LightColour() { return (uint32_t(rand()) & 0x7F7F7F) + 0x808080; }

// The glyph of the font's code, or null (reported) when there is none.
OBJ2D* CurrentGlyph(const LFONT* f) {
  if (!Whole(f) || !f->glyphs || f->code < 0 || f->code >= f->glyphs->count) return LFONTError(), nullptr;
  OBJ2D* glyph = GlyphAt(f, f->code);
  if (!glyph || !glyph->position || !glyph->scale) return LFONTError(), nullptr;
  return glyph;
}

void DrawGlyph(LFONT* f, OBJ2D* glyph) {
  *glyph->scale = *f->scale;
  glyph->angle = f->angle;
  *glyph->position = *f->pen;
  OBJ2DDraw(glyph, f->target);  // a missing target is reported there; the pen still moves
  f->pen->x = Add32(f->pen->x, Mul32(f->cell->x, f->scale->x));
}

void DrawDigit(LFONT* f, uint32_t digit) {
  f->code = int32_t(digit <= 9 ? 48 + digit : 55 + digit);
  LFONTDrawChar(f);
}

}  // namespace

LFONT* LFONTNew(void) {
  LFONT* f = static_cast<LFONT*>(calloc(1, sizeof(LFONT)));
  if (!f) return LFONTError(), nullptr;
  f->pen = NewVector(0, 0);
  f->cell = NewVector(16, 16);
  f->scale = NewVector(1, 1);
  if (!Whole(f)) {
    LFONTFree(&f);
    return LFONTError(), nullptr;
  }
  return f;
}

void LFONTFree(LFONT** font) {
  if (!font || !*font) return LFONTError();
  LFONT* f = *font;
  free(f->pen);
  free(f->cell);
  free(f->scale);
  if (f->glyphs) OBJ2DListFree(&f->glyphs);
  free(f);
  *font = nullptr;
}

char* LFONTToASCII(const LFONT* font) {
  if (!font) LFONTError();
  return nullptr;
}

LFONT* LFONTFromASCII(const char* text) {
  if (!text) LFONTError();
  return nullptr;
}

int LFONTEqual(const LFONT* a, const LFONT* b) {
  if (!Whole(a) || !Whole(b)) return LFONTError(), 0;
  return VEC2DEqual(a->pen, b->pen) && VEC2DEqual(a->cell, b->cell) && a->code == b->code &&
         VEC2DEqual(a->scale, b->scale) && a->angle == b->angle && a->glyphs == b->glyphs &&
         a->target == b->target;
}

void LFONTCopy(const LFONT* src, LFONT* dst) {
  if (!Whole(src) || !Whole(dst)) return LFONTError();
  *dst->pen = *src->pen;
  *dst->cell = *src->cell;
  dst->code = src->code;
  *dst->scale = *src->scale;
  dst->angle = src->angle;
  dst->target = src->target;
}

void LFONTDrawChar(LFONT* font) {
  OBJ2D* glyph = CurrentGlyph(font);
  if (glyph) DrawGlyph(font, glyph);
}

void LFONTDrawString(LFONT* font, const char* text) {
  if (!font || !text) return LFONTError();
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c && *c != '\n'; ++c) {
    font->code = *c;
    LFONTDrawChar(font);
  }
}

void LFONTDrawText(LFONT* font, const char* text) {
  if (!Whole(font) || !text || !font->glyphs || !font->target) return LFONTError();
  int32_t margin = font->pen->x;
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
    if (*c == '\n') {
      font->pen->y = Add32(font->pen->y, Mul32(font->cell->y, font->scale->y));
      font->pen->x = margin;
      continue;
    }
    font->code = *c;
    LFONTDrawChar(font);
  }
}

void LFONTDrawHex8(LFONT* font, uint32_t value) {
  if (!font) return LFONTError();
  DrawDigit(font, (value >> 4) & 15);
  DrawDigit(font, value & 15);
}

void LFONTDrawHex16(LFONT* font, uint32_t value) {
  if (!font) return LFONTError();
  LFONTDrawHex8(font, (value >> 8) & 255);
  LFONTDrawHex8(font, value & 255);
}

void LFONTDrawHex32(LFONT* font, uint32_t value) {
  if (!font) return LFONTError();
  LFONTDrawHex16(font, value >> 16);
  LFONTDrawHex16(font, value & 0xFFFF);
}

void LFONTDrawDecimal(LFONT* font, uint32_t value) {
  if (!font) return LFONTError();
  for (uint32_t divisor = 1000000000; divisor; divisor /= 10) {
    font->code = int32_t('0' + value / divisor);
    LFONTDrawChar(font);
    value %= divisor;
  }
}

void LFONTSetColor(LFONT* font, uint32_t colour) {
  if (!font || !font->glyphs) return LFONTError();
  for (int32_t i = font->glyphs->count - 1; i >= 0; --i) {
    OBJ2D* glyph = GlyphAt(font, i);
    if (glyph) OBJ2DSetColor(glyph, colour);
  }
}

void LFONTRandomColors(LFONT* font) {
  if (!font || !font->glyphs) return LFONTError();
  for (int32_t i = font->glyphs->count - 1; i >= 0; --i) {
    OBJ2D* glyph = GlyphAt(font, i);
    if (glyph) OBJ2DSetColor(glyph, LightColour());
  }
}

void LFONTDrawCharRandomColor(LFONT* font) {
  OBJ2D* glyph = CurrentGlyph(font);
  if (!glyph) return;
  OBJ2DSetColor(glyph, LightColour());
  DrawGlyph(font, glyph);
}

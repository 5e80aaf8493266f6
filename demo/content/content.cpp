// The builders of the content's cell sheets and line fonts.
#include "content.h"

#include "font.h"
#include "img.h"
#include "lfont.h"
#include "list.h"
#include "obj2d.h"

FONT* ContentNewSheet(IMG* sheet, IMG* target) {
  FONT* font = sheet ? FONTNew() : nullptr;
  if (!font) {
    if (sheet) IMGFree(&sheet);
    return nullptr;
  }
  font->cellWidth = CONTENT_CELL;
  font->cellHeight = CONTENT_CELL;
  font->sheet = sheet;
  font->target = target;
  return font;
}

LFONT* ContentNewLineFont(const unsigned char* text, int32_t cell, bool centred, IMG* target) {
  LIST* glyphs = OBJ2DListFromASCII(reinterpret_cast<const char*>(text));
  LFONT* font = glyphs ? LFONTNew() : nullptr;
  if (!font) {
    if (glyphs) OBJ2DListFree(&glyphs);
    return nullptr;
  }
  font->cell->x = cell;
  font->cell->y = cell;
  font->glyphs = glyphs;
  font->target = target;
  for (int32_t i = glyphs->count - 1; centred && i >= 0; --i) {
    OBJ2D* glyph = static_cast<OBJ2D*>(LISTGet(glyphs, i));
    if (!glyph) continue;
    glyph->position->x = -cell / 2;
    glyph->position->y = -cell / 2;
    OBJ2DTranslate(glyph);
  }
  return font;
}

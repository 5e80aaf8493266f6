// CURSOR: a position that wraps around a text.
#include "cursor.h"

#include <cstdio>
#include <cstdlib>

const char* const CURSORIdent[5] = {"CURSOR  ", "20120327", "ZEKTORIN", "C", "CODE"};
uint8_t CURSORDebug = 0;

void CURSORError(void) {
  if (CURSORDebug) puts("CURSOR Error.");
}

namespace {

const char kDefaultText[] = "VORN";

// value mod length in 0..length-1 with a truncating remainder and a sign
// correction; an empty text keeps everything at 0. The sum of a position and
// a step may exceed 32 bits, hence the wide argument.
int32_t Wrap(int64_t value, int32_t length) {
  if (length <= 0) return 0;
  int64_t r = value % length;
  if (r < 0) r += length;
  return int32_t(r);
}

}  // namespace

CURSOR* CURSORNew(void) {
  CURSOR* cursor = static_cast<CURSOR*>(calloc(1, sizeof(CURSOR)));
  if (!cursor) return CURSORError(), nullptr;
  CURSORInit(cursor, kDefaultText, 4, 1, 1);
  return cursor;
}

void CURSORFree(CURSOR** cursor) {
  if (!cursor || !*cursor) return CURSORError();
  free(*cursor);
  *cursor = nullptr;
}

char* CURSORToASCII(const CURSOR* cursor) {
  if (!cursor) CURSORError();
  return nullptr;
}

CURSOR* CURSORFromASCII(const char* text) {
  if (!text) CURSORError();
  return nullptr;
}

int CURSOREqual(const CURSOR* a, const CURSOR* b) {
  if (!a || !b) return CURSORError(), 0;
  return a->position == b->position && a->step == b->step && a->mode == b->mode &&
         a->length == b->length && a->text == b->text && a->saved == b->saved;
}

CURSOR* CURSORCopy(const CURSOR* cursor) {
  if (!cursor) return CURSORError(), nullptr;
  CURSOR* copy = static_cast<CURSOR*>(calloc(1, sizeof(CURSOR)));
  if (!copy) return CURSORError(), nullptr;
  *copy = *cursor;
  return copy;
}

void CURSORInit(CURSOR* cursor, const char* text, int32_t length, int32_t mode, int32_t step) {
  if (!cursor || length < 0 || (!text && length > 0)) return CURSORError();
  cursor->text = text;
  cursor->length = length;
  cursor->mode = mode;
  cursor->step = step;
  cursor->position = 0;
  cursor->saved = 0;
}

void CURSORStep(CURSOR* cursor) {
  if (!cursor) return CURSORError();
  cursor->position = Wrap(int64_t(cursor->position) + cursor->step, cursor->length);
}

void CURSORSet(CURSOR* cursor, int32_t value) {
  if (!cursor) return CURSORError();
  cursor->position = Wrap(value, cursor->length);
}

void CURSORSave(CURSOR* cursor) {
  if (!cursor) return CURSORError();
  cursor->saved = cursor->position;
}

void CURSORRestore(CURSOR* cursor) {
  if (!cursor) return CURSORError();
  // Wrapped, so a position saved before a caller changed the text stays inside it.
  cursor->position = Wrap(cursor->saved, cursor->length);
}

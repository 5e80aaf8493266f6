// CURSOR: a cyclic position in a text of known length. The scrollers walk
// their text with it one character at a time, wrapping from the end to the
// start, and save and restore it to draw a screenful without losing their
// place. Every update keeps position in 0..length-1 (0 for an empty text).
//
// Every operation checks its arguments; a rejected call calls CURSORError
// and changes nothing.
#ifndef VORN_DEMO_CURSOR_H
#define VORN_DEMO_CURSOR_H

#include <cstdint>

struct CURSOR {
  int32_t position;  // current index, 0..length-1 (0 when length is 0)
  int32_t step;      // amount CURSORStep adds; may be negative
  int32_t mode;      // stored by CURSORInit, not used by the cursor
  int32_t length;    // characters in text: the modulus
  const char* text;  // the text walked through; not owned
  int32_t saved;     // position remembered by CURSORSave
};

// Identification strings: name, date, author, language, kind.
extern const char* const CURSORIdent[5];
// Set to make CURSORError print "CURSOR Error."; clear by default.
extern uint8_t CURSORDebug;

// New cursor over "VORN": length 4, mode 1, step 1, position 0; null if allocation fails.
CURSOR* CURSORNew(void);
// Frees the cursor (not its text) and sets *cursor to null; null cursor or *cursor: error only.
void CURSORFree(CURSOR** cursor);
// A cursor has no text form: always null (a null cursor is an error).
char* CURSORToASCII(const CURSOR* cursor);
// Always null (a null text is an error).
CURSOR* CURSORFromASCII(const char* text);
// 1 if all fields match (the same text pointer); a null argument: error, 0.
int CURSOREqual(const CURSOR* a, const CURSOR* b);
// New cursor with the same fields over the same text; null on error.
CURSOR* CURSORCopy(const CURSOR* cursor);

// Points the cursor at text of length characters with mode and step, position and saved 0.
// A negative length, or a null text with a length above 0, is an error. Length 0 is an
// empty text: the position stays 0.
void CURSORInit(CURSOR* cursor, const char* text, int32_t length, int32_t mode, int32_t step);
// position := (position + step) mod length, taken into 0..length-1 when negative.
void CURSORStep(CURSOR* cursor);
// position := value mod length, taken into 0..length-1 when negative.
void CURSORSet(CURSOR* cursor, int32_t value);
// saved := position.
void CURSORSave(CURSOR* cursor);
// position := saved, wrapped into the current length.
void CURSORRestore(CURSOR* cursor);

// Prints "CURSOR Error." when CURSORDebug is set.
void CURSORError(void);

#endif

// The typewriter of the transition screens: one line of the word list typed
// letter by letter, each letter flying in from the middle of the screen.
#include "typewriter.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "content.h"
#include "img.h"
#include "lfont.h"

Typewriter typewriter = {0, {}, 0, 0, 104, 104, kTypewriterFlyStart, 0xFFFFFF};
const char* typewriterWords = reinterpret_cast<const char*>(wordList);

void TypewriterReset(Typewriter* t) {
  memset(t, 0, sizeof *t);
  t->lineX = t->lineY = 104;
  t->flyStep = kTypewriterFlyStart;
  t->colour = 0xFFFFFF;
}

bool TypewriterLineDone(const Typewriter* t, const char* words) {
  char c = words[t->position];
  return c == '\n' || c == 0;  // the NUL case guards a list whose last line lacks its newline
}

void TypewriterFlyPen(const Typewriter* t, int32_t i, int32_t width, int32_t height, int32_t* x, int32_t* y) {
  int32_t s = t->flyStep + i;
  int32_t travelled = kTypewriterFlyStart - t->flyStep;
  *x = width / 2 + s - ((width / 2 - t->lineX - 16 * t->typed) * travelled) / kTypewriterFlyStart;
  *y = height / 2 + s - ((height / 2 - t->lineY) * travelled) / kTypewriterFlyStart;
}

void TypewriterFrame(Typewriter* t, LFONT* font, IMG* work, IMG* trail, const char* words, int32_t width,
                     int32_t height) {
  if (!font) return;
  font->target = work;
  font->angle = 0;
  LFONTSetColor(font, t->colour);
  font->scale->x = font->scale->y = 2;
  for (IMG* image : {work, trail}) {
    font->target = image;
    font->pen->x = t->lineX;
    font->pen->y = t->lineY;
    LFONTDrawString(font, t->line);
  }
  font->target = work;
  if (TypewriterLineDone(t, words)) return;

  unsigned char c = static_cast<unsigned char>(words[t->position]);
  for (int32_t i = 0; i < kTypewriterCopies; ++i) {
    font->scale->x = font->scale->y = t->flyStep + i;
    TypewriterFlyPen(t, i, width, height, &font->pen->x, &font->pen->y);
    font->code = c;
    LFONTDrawChar(font);
  }
  t->flyStep -= 2;
  if (t->flyStep > 1) return;
  // The letter lands. The line buffer keeps its NUL even for an over-long line.
  t->flyStep = kTypewriterFlyStart;
  if (t->typed < int32_t(sizeof t->line) - 1) t->line[t->typed++] = char(c);
  t->position += 1;
  t->colour = (uint32_t(rand()) & 0x7F7F7F) + 0x808080;
}

void TypewriterNextLine(Typewriter* t, const char* words, int32_t width, int32_t height) {
  while (words[t->position] != '\n') {
    if (words[t->position] == 0) {
      t->position = 0;
      return;
    }
    ++t->position;
  }
  ++t->position;
  if (words[t->position] == 0) t->position = 0;
  int32_t length = 0;
  while (words[t->position + length] != '\n' && words[t->position + length] != 0) ++length;
  t->lineLength = length;
  t->lineX = (width - 16 * length) / 2 + 8;
  int32_t third = height / 3;
  t->lineY = height / 2 + (third > 0 ? rand() % third : 0) - height / 6;
  memset(t->line, 0, sizeof t->line);
  t->typed = 0;
}

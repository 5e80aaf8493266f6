// The text cursor: wrapping in both directions, save and restore, bad input.
#include "cursor.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(Cursor, StepsSetsAndRestoresWrapBothWays) {
  CURSOR* c = CURSORNew();
  EXPECT_EQ(c->length * 10 + c->step, 41);  // "VORN", one character a step
  CURSORInit(c, "0123456789", 10, 1, 1);
  const struct { int32_t from, step, to; } steps[] = {
      {0, -1, 9}, {3, 25, 8}, {9, 1, 0}, {8, INT32_MAX, 5}};  // the last sum leaves 32 bits
  for (const auto& s : steps) {
    CURSORSet(c, s.from);
    c->step = s.step;
    CURSORStep(c);
    EXPECT_EQ(c->position, s.to) << s.from << " + " << s.step;
  }
  const int32_t values[] = {-1, 10, -10, -11, INT32_MIN, INT32_MAX}, expected[] = {9, 0, 0, 9, 2, 7};
  for (int i = 0; i < 6; ++i) {
    CURSORSet(c, values[i]);
    EXPECT_EQ(c->position, expected[i]) << values[i];
  }
  CURSORSet(c, 9);
  CURSORSave(c);
  CURSORStep(c);
  c->length = 4;
  CURSORRestore(c);
  EXPECT_EQ(c->position, 1);  // inside the text, even once it is shorter
  const CURSOR before = *c;
  CURSORInit(c, "abc", -1, 2, 2);  // refused: a negative length, a missing text
  CURSORInit(c, nullptr, 3, 2, 2);
  EXPECT_EQ(CURSOREqual(&before, c), 1);
  c->step = 2;  // one field apart
  EXPECT_EQ(CURSOREqual(&before, c), 0);
  CURSORInit(c, "", 0, 1, 5);  // an empty text keeps the position at 0
  CURSORStep(c);
  CURSORSet(c, -3);
  EXPECT_EQ(c->position, 0);
  for (void (*refused)(CURSOR*) : {CURSORStep, CURSORSave, CURSORRestore}) refused(nullptr);
  CURSORFree(&c);
  EXPECT_EQ(c, nullptr);
  CURSORFree(&c);
}

}  // namespace

// The text cursor: wrapping in both directions, save and restore, bad input.
#include "cursor.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Cursor {
  CURSOR* c = CURSORNew();
  Cursor() { CURSORInit(c, "0123456789", 10, 1, 1); }
  ~Cursor() { CURSORFree(&c); }
};

TEST(Cursor, StepsAndSetsWrapBothWays) {
  Cursor h;
  h.c->step = -1;
  CURSORStep(h.c);
  EXPECT_EQ(h.c->position, 9);
  CURSORSet(h.c, 3);
  h.c->step = 25;
  CURSORStep(h.c);
  EXPECT_EQ(h.c->position, 8);
  h.c->step = INT32_MAX;  // the sum leaves 32 bits and still wraps by the true remainder
  CURSORStep(h.c);
  EXPECT_EQ(h.c->position, int32_t((8 + int64_t(INT32_MAX)) % 10));
  const int32_t values[] = {-1, 10, -10, -11, INT32_MIN, INT32_MAX}, expected[] = {9, 0, 0, 9, 2, 7};
  for (int i = 0; i < 6; ++i) {
    CURSORSet(h.c, values[i]);
    EXPECT_EQ(h.c->position, expected[i]) << values[i];
  }
}

TEST(Cursor, RestoreStaysInsideAShorterText) {
  Cursor h;
  CURSORSet(h.c, 9);
  CURSORSave(h.c);
  CURSORStep(h.c);
  h.c->length = 4;
  CURSORRestore(h.c);
  EXPECT_EQ(h.c->position, 1);
}

TEST(Cursor, EmptyTextAndBadInput) {
  Cursor h;
  CURSORSet(h.c, 4);
  CURSOR before = *h.c;
  CURSORInit(h.c, "abc", -1, 2, 2);
  CURSORInit(h.c, nullptr, 3, 2, 2);
  EXPECT_EQ(CURSOREqual(&before, h.c), 1);
  CURSORInit(h.c, "", 0, 1, 5);
  CURSORStep(h.c);
  CURSORSet(h.c, -3);
  EXPECT_EQ(h.c->position, 0);
  CURSORStep(nullptr);
  CURSORRestore(nullptr);
  CURSOR* none = nullptr;
  CURSORFree(&none);
}

}  // namespace

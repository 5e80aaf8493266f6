// The text cursor: wrapping in both directions, save and restore, bad input.
#include "cursor.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct CursorHolder {
  CURSOR* cursor = CURSORNew();
  ~CursorHolder() {
    if (cursor) CURSORFree(&cursor);
  }
};

const char kTen[] = "0123456789";

TEST(Cursor, NewWalksTheDefaultText) {
  CursorHolder h;
  ASSERT_NE(h.cursor, nullptr);
  EXPECT_STREQ(h.cursor->text, "VORN");
  EXPECT_EQ(h.cursor->length, 4);
  EXPECT_EQ(h.cursor->mode, 1);
  EXPECT_EQ(h.cursor->step, 1);
  EXPECT_EQ(h.cursor->position, 0);
  for (int i = 1; i <= 9; ++i) {
    CURSORStep(h.cursor);
    EXPECT_EQ(h.cursor->position, i % 4);
  }
}

TEST(Cursor, StepsWrapBothWays) {
  CursorHolder h;
  CURSORInit(h.cursor, kTen, 10, 7, -1);
  EXPECT_EQ(h.cursor->mode, 7);
  CURSORStep(h.cursor);
  EXPECT_EQ(h.cursor->position, 9);  // -1 from 0
  h.cursor->step = -23;
  CURSORStep(h.cursor);
  EXPECT_EQ(h.cursor->position, 6);  // 9 - 23 = -14 -> -4 -> 6
  CURSORSet(h.cursor, 3);
  h.cursor->step = 25;
  CURSORStep(h.cursor);
  EXPECT_EQ(h.cursor->position, 8);
  // Sums beyond 32 bits still wrap by the true remainder.
  h.cursor->step = INT32_MAX;
  CURSORStep(h.cursor);
  EXPECT_EQ(h.cursor->position, int32_t((8 + int64_t(INT32_MAX)) % 10));
}

TEST(Cursor, SetTakesAnyValueIntoRange) {
  CursorHolder h;
  CURSORInit(h.cursor, kTen, 10, 1, 1);
  const struct {
    int32_t value, expected;
  } cases[] = {{-1, 9}, {10, 0}, {-10, 0}, {-11, 9}, {37, 7}, {INT32_MIN, 2}, {INT32_MAX, 7}};
  for (const auto& c : cases) {
    CURSORSet(h.cursor, c.value);
    EXPECT_EQ(h.cursor->position, c.expected) << c.value;
  }
}

TEST(Cursor, SaveAndRestore) {
  CursorHolder h;
  CURSORInit(h.cursor, kTen, 10, 1, 3);
  CURSORStep(h.cursor);
  CURSORSave(h.cursor);
  for (int i = 0; i < 5; ++i) CURSORStep(h.cursor);
  EXPECT_EQ(h.cursor->position, 8);
  CURSORRestore(h.cursor);
  EXPECT_EQ(h.cursor->position, 3);
  // A position saved over a longer text is brought into the shorter one.
  CURSORSet(h.cursor, 9);
  CURSORSave(h.cursor);
  h.cursor->length = 4;
  CURSORRestore(h.cursor);
  EXPECT_EQ(h.cursor->position, 1);
}

TEST(Cursor, EmptyTextStaysAtZero) {
  CursorHolder h;
  CURSORInit(h.cursor, "", 0, 1, 5);
  CURSORStep(h.cursor);
  EXPECT_EQ(h.cursor->position, 0);
  CURSORSet(h.cursor, -3);
  EXPECT_EQ(h.cursor->position, 0);
  CURSORRestore(h.cursor);
  EXPECT_EQ(h.cursor->position, 0);
}

TEST(Cursor, RejectedCallsChangeNothing) {
  CursorHolder h;
  CURSORInit(h.cursor, kTen, 10, 1, 1);
  CURSORSet(h.cursor, 4);
  CURSOR before = *h.cursor;
  CURSORInit(h.cursor, kTen, -1, 2, 2);
  CURSORInit(h.cursor, nullptr, 3, 2, 2);
  EXPECT_EQ(CURSOREqual(&before, h.cursor), 1);
  CURSORInit(nullptr, kTen, 10, 1, 1);
  CURSORStep(nullptr);
  CURSORSet(nullptr, 1);
  CURSORSave(nullptr);
  CURSORRestore(nullptr);
  CURSORFree(nullptr);
  CURSOR* none = nullptr;
  CURSORFree(&none);
  EXPECT_EQ(CURSOREqual(nullptr, h.cursor), 0);
  EXPECT_EQ(CURSORCopy(nullptr), nullptr);
}

TEST(Cursor, CopyIsEqualAndIndependent) {
  CursorHolder h;
  CURSORInit(h.cursor, kTen, 10, 1, 2);
  CURSORStep(h.cursor);
  CURSOR* copy = CURSORCopy(h.cursor);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(CURSOREqual(copy, h.cursor), 1);
  CURSORStep(copy);
  EXPECT_EQ(CURSOREqual(copy, h.cursor), 0);
  EXPECT_EQ(h.cursor->position, 2);
  CURSORFree(&copy);
  EXPECT_EQ(copy, nullptr);
  EXPECT_EQ(CURSORToASCII(h.cursor), nullptr);
  EXPECT_EQ(CURSORFromASCII("x"), nullptr);
}

}  // namespace

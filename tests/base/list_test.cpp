#include "list.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int items[16];
void* P(int i) { return &items[i]; }

// A list of P(0) .. P(n-1).
LIST* Of(int n) {
  LIST* list = LISTNew();
  for (int i = 0; i < n; ++i) LISTPush(list, P(i));
  return list;
}

// The items in use, each as its i of P(i).
std::vector<int> Items(const LIST* list) {
  std::vector<int> numbers;
  for (int32_t i = 0; i < list->count; ++i) numbers.push_back(int(static_cast<int*>(LISTGet(list, i)) - items));
  return numbers;
}

TEST(List, GrowsByDoublingAndKeepsOrderAcrossInsertions) {
  LIST* list = Of(2);
  LISTInsert(list, P(9), 0);  // a full list grows before it inserts
  LISTInsert(list, P(8), 3);  // at count: appends
  LISTPush(list, P(7));
  LIST* source = Of(6);
  LISTInsertList(source, list, 2, 5, 1);  // exactly fills the eight slots
  EXPECT_EQ(list->capacity, 8);
  EXPECT_EQ(Items(list), (std::vector<int>{9, 2, 3, 4, 0, 1, 8, 7}));
  LISTInsertList(list, list, 0, 2, 8);  // into itself: the items are taken before any move
  LISTInsertList(list, list, 7, 10, 1);
  LISTRemove(list, 0);  // the head, as the audio queue removes it
  EXPECT_EQ(list->capacity, 16);
  EXPECT_EQ(Items(list), (std::vector<int>{7, 9, 2, 2, 3, 4, 0, 1, 8, 7, 9, 2}));
  LISTFree(&source), LISTFree(&list);
  EXPECT_EQ(list, nullptr);
}

TEST(List, StaleSlotsRangesAndEquality) {
  LIST* list = Of(6);
  EXPECT_EQ(LISTPop(list), P(5));
  LISTRemove(list, 1);
  EXPECT_EQ(list->items[5], P(5));     // a popped slot keeps its pointer
  EXPECT_EQ(list->items[4], nullptr);  // the old last slot of a removal reads null
  LIST* copy = LISTCopy(list);
  LISTCut(copy, 1, 3);
  EXPECT_EQ(Items(copy), (std::vector<int>{0, 4}));
  EXPECT_EQ(copy->items[2], P(3));  // a cut leaves the vacated slots as they were
  EXPECT_EQ(LISTFind(copy, P(3)), -1);
  LIST* sub = LISTSub(list, 2, 4);
  LISTSet(copy, P(3), 0);
  EXPECT_EQ(LISTEqual(sub, copy) * 10 + LISTEqual(sub, list), 10);  // stale slots do not count
  for (int32_t at : {0, 1}) {  // one pointer differs, at either end
    LISTSet(sub, P(9), at);
    EXPECT_EQ(LISTEqual(sub, copy), 0) << at;
    LISTSet(sub, P(3 + at), at);
  }
  LISTInsert(sub, nullptr, 0), LISTPush(sub, P(3));
  EXPECT_EQ(LISTFind(sub, P(3)), 1);  // the lowest index
  EXPECT_EQ(LISTFind(sub, nullptr) + LISTFind(sub, P(9)), -2);  // null is refused even where held
  EXPECT_EQ(LISTEqual(sub, sub) * 100 + LISTEqual(nullptr, nullptr) * 10 + LISTEqual(sub, nullptr), 110);
  LISTFree(&sub), LISTFree(&copy), LISTFree(&list);
}

// A bad argument is refused whole, not even a stale slot changes, and each refusal reports.
TEST(List, RefusesBadArgumentsWhole) {
  LIST* list = Of(4);
  LIST* empty = LISTNew();
  LISTPop(list);  // count 3 in 4 slots, the last one stale
  testing::internal::CaptureStdout();
  LISTGet(list, 5);  // prints nothing: the flag is clear by default
  LISTDebug = 1;
  for (int32_t bad : {-1, 3}) {
    EXPECT_EQ(LISTGet(list, bad), nullptr);
    LISTSet(list, P(9), bad), LISTRemove(list, bad), LISTInsert(list, P(9), bad < 0 ? bad : 4);
    LISTInsertList(list, list, 0, 1, bad < 0 ? bad : 4);
  }
  for (auto [first, end] : {std::pair{2, 2}, {0, 4}, {-1, 1}}) {
    EXPECT_EQ(LISTSub(list, first, end), nullptr);
    LISTCut(list, first, end), LISTInsertList(list, list, first, end, 0);
  }
  EXPECT_EQ(LISTPop(empty), nullptr);
  LISTPop(nullptr), LISTInsertList(list, nullptr, 0, 1, 0), LISTPush(nullptr, P(0)), LISTFree(nullptr);
  std::string printed = testing::internal::GetCapturedStdout(), expected;
  LISTDebug = 0;
  for (int i = 0; i < 24; ++i) expected += "LIST error\n";
  EXPECT_EQ(printed, expected);
  EXPECT_EQ(std::vector<void*>(list->items, list->items + 4), (std::vector<void*>{P(0), P(1), P(2), P(3)}));
  EXPECT_EQ(list->count * 10 + list->capacity + empty->count, 34);
  LISTFree(&empty), LISTFree(&list);
}

}  // namespace

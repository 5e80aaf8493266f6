#include "list.h"

#include <gtest/gtest.h>

namespace {

int items[16];
void* P(int i) { return &items[i]; }

struct ListTest : ::testing::Test {
  LIST* list = LISTNew();
  ~ListTest() override {
    if (list) LISTFree(&list);
  }
  void Fill(int n) {
    for (int i = 0; i < n; ++i) LISTPush(list, P(i));
  }
  void ExpectItems(std::initializer_list<int> expected) {
    ASSERT_EQ(list->count, int32_t(expected.size()));
    int i = 0;
    for (int e : expected) EXPECT_EQ(LISTGet(list, i++), P(e)) << "index " << i - 1;
  }
};

TEST_F(ListTest, CapacityDoublesAndOrderSurvivesGrowth) {
  EXPECT_EQ(list->capacity, 2);
  Fill(3);
  EXPECT_EQ(list->capacity, 4);
  Fill(2);
  EXPECT_EQ(list->capacity, 8);
  ExpectItems({0, 1, 2, 0, 1});
}

TEST_F(ListTest, PopGetAndRemoveAtTheEdges) {
  EXPECT_EQ(LISTPop(list), nullptr);
  Fill(3);
  EXPECT_EQ(LISTGet(list, 3), nullptr);
  EXPECT_EQ(LISTGet(list, -1), nullptr);
  EXPECT_EQ(LISTPop(list), P(2));
  EXPECT_EQ(list->items[2], P(2));  // a popped slot keeps its stale pointer
  LISTRemove(list, 1);
  EXPECT_EQ(list->items[1], nullptr);  // a removed last slot reads null
  ExpectItems({0});
  LISTRemove(list, 1);  // out of range: refused whole
  ExpectItems({0});
}

TEST_F(ListTest, InsertAtEndAppendsAndAtZeroShifts) {
  Fill(2);
  LISTInsert(list, P(5), 2);
  LISTInsert(list, P(6), 0);
  ExpectItems({6, 0, 1, 5});
  LISTInsert(list, P(7), 5);
  LISTInsert(list, P(7), -1);
  ExpectItems({6, 0, 1, 5});
}

TEST_F(ListTest, EqualityComparesPointersInOrderAndIgnoresStaleSlots) {
  LIST* other = LISTNew();
  EXPECT_EQ(LISTEqual(list, other), 1);
  EXPECT_EQ(LISTEqual(list, list), 1);
  EXPECT_EQ(LISTEqual(list, nullptr), 0);
  EXPECT_EQ(LISTEqual(nullptr, nullptr), 1);
  Fill(2);
  LISTPush(other, P(1));
  LISTPush(other, P(0));
  EXPECT_EQ(LISTEqual(list, other), 0);
  LISTPush(list, P(9));
  LISTPop(list);
  LISTSet(other, P(0), 0);
  LISTSet(other, P(1), 1);
  EXPECT_EQ(LISTEqual(list, other), 1);
  LISTFree(&other);
  EXPECT_EQ(other, nullptr);
}

TEST_F(ListTest, FindRefusesNullItemEvenWhenListHoldsNull) {
  LISTPush(list, nullptr);
  Fill(2);
  EXPECT_EQ(LISTFind(list, nullptr), -1);
  EXPECT_EQ(LISTFind(list, P(1)), 2);
  EXPECT_EQ(LISTFind(list, P(9)), -1);
}

TEST_F(ListTest, SubCutAndCopyRanges) {
  Fill(6);
  EXPECT_EQ(LISTSub(list, 2, 2), nullptr);
  EXPECT_EQ(LISTSub(list, 0, 7), nullptr);
  LIST* sub = LISTSub(list, 1, 4);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->count, 3);
  EXPECT_EQ(LISTGet(sub, 0), P(1));
  EXPECT_EQ(LISTGet(sub, 2), P(3));
  LIST* copy = LISTCopy(list);
  EXPECT_EQ(LISTEqual(copy, list), 1);
  LISTCut(list, 3, 3);
  ExpectItems({0, 1, 2, 3, 4, 5});
  LISTCut(list, 1, 4);
  ExpectItems({0, 4, 5});
  LISTFree(&sub);
  LISTFree(&copy);
}

TEST_F(ListTest, InsertListGrowsAndKeepsOrder) {
  Fill(3);
  LIST* source = LISTNew();
  for (int i = 10; i < 15; ++i) LISTPush(source, P(i));
  LISTInsertList(source, list, 1, 4, 1);
  ExpectItems({0, 11, 12, 13, 1, 2});
  EXPECT_EQ(list->capacity, 8);
  LISTInsertList(source, list, 0, 1, 7);  // beyond the target's count: refused
  EXPECT_EQ(list->count, 6);
  LISTFree(&source);
}

TEST_F(ListTest, InsertListIntoItselfTakesItemsBeforeTheyMove) {
  Fill(4);
  LISTInsertList(list, list, 1, 3, 0);
  ExpectItems({1, 2, 0, 1, 2, 3});
}

TEST(ListFree, NullArgumentsAreHarmless) {
  LISTFree(nullptr);
  LIST* none = nullptr;
  LISTFree(&none);
  LISTPush(nullptr, nullptr);
  EXPECT_EQ(LISTToASCII(nullptr), nullptr);
  EXPECT_EQ(LISTFromASCII("x"), nullptr);
}

}  // namespace

#include "sample.h"

#include <gtest/gtest.h>

#include <climits>

#include "sample_helpers.h"

namespace {

TEST(Sample, LengthWithinCapacityKeepsOldValues) {
  Sample s;
  SAMPLESetLength(s, 44100);  // from capacity 32 to exactly 44100, all zero
  EXPECT_EQ(std::pair(s->capacity, Values(s)), std::pair(44100, V(44100, 0)));
  SAMPLESet(s, 30000, 7);
  SAMPLESetLength(s, 22050), SAMPLESetLength(s, 44100);  // the capacity and the values stay
  EXPECT_EQ(std::pair(s->capacity, SAMPLEGet(s, 30000)), std::pair(44100, 7));
  SAMPLEReserve(s, 2);
  SAMPLEInsert(s, 5, 2);  // full: the capacity doubles
  EXPECT_EQ(std::pair(Values(s), s->capacity), std::pair(V{0, 0, 5}, 4));
  Sample full;
  SAMPLESetLength(full, SAMPLE_MAX_LENGTH);  // the largest length; then no more room
  SAMPLEInsert(full, 5, 0);
  EXPECT_EQ(std::pair(full->length, full->capacity), std::pair(SAMPLE_MAX_LENGTH, SAMPLE_MAX_LENGTH));
  SAMPLE* freed = SAMPLENew();
  SAMPLEFree(&freed), SAMPLEFree(&freed);  // the caller's pointer is cleared: the second is refused
  EXPECT_EQ(freed, nullptr);
}

// A sample for the operations with two operands.
const Sample kOther({2, 3, 4, 5});
const V kRamp = {32767, 30946, 27305, 23665, 20024, 16383, 12742, 9102, 5461, 1820};

// One operation on a sample of the given values and the values it leaves.
const struct Case {
  V in;
  void (*op)(SAMPLE*);
  V out;
} kCases[] = {
    {{1, 2, 3}, [](SAMPLE* s) { SAMPLEInsert(s, 9, 3), SAMPLEInsert(s, 8, 0); }, {8, 1, 2, 3, 9}},
    {{1, 2, 3}, [](SAMPLE* s) { SAMPLERemove(s, 1); }, {1, 3}},
    {{1, 2, 3}, [](SAMPLE* s) { SAMPLEReverse(s); }, {3, 2, 1}},
    {{1, 2, 3}, [](SAMPLE* s) { SAMPLEInsertSample(s, kOther, 1); }, {1, 2, 3, 4, 5, 2, 3}},
    {{4, 5}, [](SAMPLE* s) { SAMPLEInsertSample(s, s, 1); }, {4, 4, 5, 5}},  // into itself
    {{0, 1, 2, 3, 4, 5}, [](SAMPLE* s) { SAMPLECopyRange(s, s, 4, 0, 2); }, {0, 1, 0, 1, 2, 3}},
    {{0, 1, 2, 3, 4, 5}, [](SAMPLE* s) { SAMPLECopyRange(s, s, 4, 2, 0); }, {2, 3, 4, 5, 4, 5}},
    {{INT32_MAX, -3, 1 << 30}, [](SAMPLE* s) { SAMPLEScale(s, 2); }, {-2, -6, INT32_MIN}},
    {{-2, -6, INT32_MIN}, [](SAMPLE* s) { SAMPLEShiftRight(s, 1); }, {-1, -3, -(1 << 30)}},
    {{-1, 3, INT32_MIN}, [](SAMPLE* s) { SAMPLEShiftRight(s, 32); }, {-1, 0, -1}},
    {{-1, 3, 1 << 30}, [](SAMPLE* s) { SAMPLEShiftLeft(s, 2); }, {-4, 12, 0}},
    {{-1, 3}, [](SAMPLE* s) { SAMPLEShiftLeft(s, 32); }, {0, 0}},
    {{-1, 3}, [](SAMPLE* s) { SAMPLEShiftLeft(s, 0), SAMPLEShiftRight(s, 0); }, {-1, 3}},
    {{-1, 3}, [](SAMPLE* s) { SAMPLEInsertSample(s, Sample(), 1); }, {-1, 3}},  // nothing to insert
    {{INT32_MAX, 5, 7, 9, 11},
     [](SAMPLE* s) { SAMPLEAdd(s, kOther); },
     {INT32_MIN + 1, 8, 11, 14, 11}},
    {{0, 6, 7}, [](SAMPLE* s) { SAMPLEMultiply(s, kOther), SAMPLEAdd(s, s); }, {0, 36, 56}},
    {{0, 1, 2, 3, 4}, [](SAMPLE* s) { SAMPLERotateRight(s, 5); }, {0, 1, 2, 3, 4}},
    {{0, 1, 2, 3, 4}, [](SAMPLE* s) { SAMPLERotateRight(s, 6); }, {4, 0, 1, 2, 3}},
    {{0, 1, 2, 3, 4}, [](SAMPLE* s) { SAMPLERotateRight(s, -1); }, {1, 2, 3, 4, 0}},
    {{0, 1, 2, 3, 4}, [](SAMPLE* s) { SAMPLERotateLeft(s, 2); }, {2, 3, 4, 0, 1}},
    {{0, 1, 2, 3, 4}, [](SAMPLE* s) { SAMPLERotateLeft(s, INT32_MIN); }, {2, 3, 4, 0, 1}},
    {V(10), [](SAMPLE* s) { SAMPLELine(s, 0, 32767, 9, 0); }, kRamp},
    {V(10), [](SAMPLE* s) { SAMPLELine(s, 9, 0, 0, 32767); }, kRamp},       // either order
    {V(3), [](SAMPLE* s) { SAMPLELine(s, 0, 0, 2, 3); }, {0, 1, 2}},        // steep: stops short
    {V(5), [](SAMPLE* s) { SAMPLELine(s, 4, 2, 0, 0); }, {0, 1, 1, 2, 2}},  // shallow
    {V(3), [](SAMPLE* s) { SAMPLELine(s, 1, 5, 1, 99); }, {0, 5, 0}},       // one point: y1
    {{1, 2, 3, 4}, [](SAMPLE* s) { SAMPLEResample(s, 2); }, {2, 4}},
    {{1, 2, 3}, [](SAMPLE* s) { SAMPLEResample(s, 7); }, {1, 1, 2, 2, 3, 3, 3}},
    {{100, 150, 200}, [](SAMPLE* s) { SAMPLEFit(s, 0, 200); }, {0, 100, 200}},
    {{5, 5}, [](SAMPLE* s) { SAMPLEFit(s, -3, 3); }, {-3, -3}},
};

TEST(Sample, OperationsOnWholeSamples) {
  for (size_t i = 0; i < std::size(kCases); ++i) {
    Sample s(kCases[i].in);
    SAMPLEDebug = 1;  // none of them is refused
    testing::internal::CaptureStdout();
    kCases[i].op(s);
    SAMPLEDebug = 0;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "case " << i;
    EXPECT_EQ(Values(s), kCases[i].out) << "case " << i;
  }
}

TEST(Sample, NewSamplesAndQueries) {
  Sample s({5, -2, 0, 7}), b({0, 7, 9});
  Sample copy(SAMPLECopy(s)), sub(SAMPLESub(s, -3, 100)), inner(SAMPLESub(s, 1, 3));
  EXPECT_EQ(std::pair(Values(copy), copy->capacity), std::pair(Values(s), 4));
  EXPECT_EQ(Values(sub), Values(s));  // clamped to the whole sample
  EXPECT_EQ(Values(inner), (V{-2, 0}));
  const uint8_t bytes[] = {0x00, 0x7F, 0x80, 0xFF};
  EXPECT_EQ(Values(Sample(SAMPLEFromBytes(bytes, 4))), (V{0, 127, -128, -1}));
  EXPECT_EQ(
      (V{SAMPLEEqual(s, copy), SAMPLEEqual(s, b), SAMPLEMin(s), SAMPLEMax(s), SAMPLEFind(s, 7, 1),
         SAMPLEFind(s, 5, 1), SAMPLEMatchCount(s, b, 2), SAMPLEMatchCount(s, b, -1),
         SAMPLEBestOffset(s, b), SAMPLEBestOffset(b, b), SAMPLEBestOffset(kOther, b)}),
      (V{1, 0, -2, 7, 3, -1, 2, 0, 2, 0, -3}));
}

// Arguments out of range: each call is refused and writes nothing, not even past the length.
TEST(Sample, RefusedCallsChangeNothing) {
  Sample s({1, 2, 3}), b({0, 7}), empty;
  V slots(s->items, s->items + s->capacity);
  SAMPLESetLength(s, -1), SAMPLEReserve(s, 0), SAMPLESet(s, 3, 7), SAMPLESet(s, -1, 7);
  SAMPLEInsert(s, 7, 4), SAMPLEInsert(s, 7, -1), SAMPLERemove(s, 3), SAMPLERemove(s, -1);
  SAMPLEInsertSample(s, s, 4), SAMPLEInsertSample(s, s, -1), SAMPLEFit(s, 5, 4);
  SAMPLECopyRange(s, s, 2, 2, 0), SAMPLECopyRange(s, s, 2, 0, 2);  // past the source, the target
  SAMPLECopyRange(s, s, 1, -1, 0), SAMPLECopyRange(s, s, 1, 0, -1);
  SAMPLEShiftRight(s, 33), SAMPLEShiftRight(s, -1), SAMPLEShiftLeft(s, 33), SAMPLEShiftLeft(s, -1);
  SAMPLELine(s, 0, 5, 3, 5), SAMPLELine(s, -1, 5, 2, 5), SAMPLEResample(s, 3), SAMPLEResample(s, 0);
  SAMPLERotateLeft(empty, 3), SAMPLERotateRight(empty, 3), SAMPLEResample(empty, 5);
  // Beyond the largest length: nothing is allocated.
  SAMPLEResample(s, SAMPLE_MAX_LENGTH + 1), SAMPLEResample(s, INT32_MAX);
  SAMPLEReserve(s, SAMPLE_MAX_LENGTH + 1), SAMPLESetLength(s, INT32_MAX);
  // A missing sample, the other arguments fine.
  SAMPLEReserve(nullptr, 5), SAMPLESetLength(nullptr, 5), SAMPLESet(nullptr, 0, 1);
  SAMPLEInsert(nullptr, 1, 0), SAMPLERemove(nullptr, 0), SAMPLEResample(nullptr, 5);
  SAMPLEShiftRight(nullptr, 1), SAMPLEShiftLeft(nullptr, 1), SAMPLEFit(nullptr, 0, 1);
  SAMPLECopyRange(nullptr, s, 0, 0, 0), SAMPLECopyRange(s, nullptr, 0, 0, 0);
  SAMPLEInsertSample(nullptr, s, 0), SAMPLEInsertSample(s, nullptr, 0);
  EXPECT_EQ(std::pair(V(s->items, s->items + s->capacity), empty->length), std::pair(slots, 0));
  EXPECT_EQ((V{SAMPLEGet(s, 3), SAMPLEGet(s, -1), SAMPLEGet(nullptr, 0), SAMPLEMin(empty),
               SAMPLEMax(empty), SAMPLEEqual(s, nullptr), SAMPLEFind(s, 1, 3), SAMPLEFind(s, 1, -1),
               SAMPLEFind(nullptr, 0, 0), SAMPLEMatchCount(s, b, -2), SAMPLEMatchCount(s, b, 3),
               SAMPLEMatchCount(nullptr, s, 0), SAMPLEMatchCount(s, nullptr, 0)}),
            (V{0, 0, 0, 0, 0, 0, -1, -1, -1, -1, -1, -1, -1}));
  // SAMPLESub refuses first > end, also once end is clamped to the length.
  EXPECT_EQ((std::vector<SAMPLE*>{SAMPLESub(s, 3, 1), SAMPLESub(s, 6, 8), SAMPLESub(nullptr, 0, 1),
                                  SAMPLECopy(nullptr), SAMPLEFromBytes(nullptr, 1)}),
            std::vector<SAMPLE*>(5, nullptr));
}

}  // namespace

#include "sample.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "sample_helpers.h"

namespace {

TEST(Sample, LengthWithinCapacityKeepsOldValues) {
  Sample s;
  EXPECT_EQ(s->capacity, 32);
  SAMPLESetLength(s, 44100);
  EXPECT_EQ(s->capacity, 44100);
  EXPECT_EQ(Values(s), std::vector<int32_t>(44100, 0));
  SAMPLESet(s, 30000, 7);
  SAMPLESetLength(s, 22050);
  EXPECT_EQ(s->capacity, 44100);
  SAMPLESetLength(s, 44100);
  EXPECT_EQ(SAMPLEGet(s, 30000), 7);
  SAMPLESetLength(s, -1);  // refused
  EXPECT_EQ(s->length, 44100);
}

TEST(Sample, CopiesSubRangesAndBytes) {
  Sample s({5, -2, 0, 7});
  Sample copy(SAMPLECopy(s));
  EXPECT_EQ(copy->capacity, 4);
  EXPECT_EQ(SAMPLEEqual(s, copy), 1);
  Sample sub(SAMPLESub(s, -3, 100));  // clamped to the whole sample
  EXPECT_EQ(Values(sub), Values(s));
  EXPECT_EQ(SAMPLESub(s, 3, 1), nullptr);
  EXPECT_EQ(SAMPLESub(s, 6, 8), nullptr);  // first beyond the clamped end
  const uint8_t bytes[] = {0x00, 0x7F, 0x80, 0xFF};
  Sample fromBytes(SAMPLEFromBytes(bytes, 4));
  EXPECT_EQ(Values(fromBytes), (std::vector<int32_t>{0, 127, -128, -1}));
}

TEST(Sample, OutOfRangeIndicesAreHarmless) {
  Sample s({1, 2, 3});
  EXPECT_EQ(SAMPLEGet(s, 3), 0);
  EXPECT_EQ(SAMPLEGet(s, -1), 0);
  SAMPLESet(s, 3, 9);
  SAMPLESet(s, -1, 9);
  EXPECT_EQ(Values(s), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(SAMPLEGet(nullptr, 0), 0);
}

TEST(Sample, InsertSampleIncludingIntoItself) {
  Sample target({1, 2, 3}), source({8, 9});
  SAMPLEInsertSample(target, source, 1);
  EXPECT_EQ(Values(target), (std::vector<int32_t>{1, 8, 9, 2, 3}));
  EXPECT_EQ(target->capacity, 5);
  Sample self({4, 5});
  SAMPLEInsertSample(self, self, 1);
  EXPECT_EQ(Values(self), (std::vector<int32_t>{4, 4, 5, 5}));
  SAMPLEInsertSample(self, source, 5);  // beyond the end: refused whole
  SAMPLEInsertSample(self, source, -1);
  EXPECT_EQ(Values(self), (std::vector<int32_t>{4, 4, 5, 5}));
}

TEST(Sample, CopyRangeIsOverlapSafeAndBounded) {
  Sample s({0, 1, 2, 3, 4, 5});
  SAMPLECopyRange(s, s, 4, 0, 2);
  EXPECT_EQ(Values(s), (std::vector<int32_t>{0, 1, 0, 1, 2, 3}));
  SAMPLECopyRange(s, s, 4, 2, 0);
  EXPECT_EQ(Values(s), (std::vector<int32_t>{0, 1, 2, 3, 2, 3}));
  Sample t({9, 9});
  SAMPLECopyRange(s, t, 3, 0, 0);  // does not fit the target: refused
  SAMPLECopyRange(s, t, 2, 5, 0);  // runs past the source: refused
  EXPECT_EQ(Values(t), (std::vector<int32_t>{9, 9}));
}

TEST(Sample, ArithmeticWrapsIn32Bits) {
  Sample s({INT32_MAX, -3, 1 << 30});
  SAMPLEScale(s, 2);
  EXPECT_EQ(Values(s), (std::vector<int32_t>{-2, -6, INT32_MIN}));
  SAMPLEShiftRight(s, 1);
  EXPECT_EQ(Values(s), (std::vector<int32_t>{-1, -3, -(1 << 30)}));  // arithmetic
  SAMPLEShiftLeft(s, 2);
  EXPECT_EQ(Values(s), (std::vector<int32_t>{-4, -12, 0}));
  Sample t({INT32_MAX, 5, 7});
  SAMPLEAdd(t, Sample({1, 1}));
  EXPECT_EQ(Values(t), (std::vector<int32_t>{INT32_MIN, 6, 7}));
  SAMPLEMultiply(t, Sample({2, 3, 4}));
  EXPECT_EQ(Values(t), (std::vector<int32_t>{0, 18, 28}));
  SAMPLEAdd(t, t);  // a sample added to itself doubles
  EXPECT_EQ(Values(t), (std::vector<int32_t>{0, 36, 56}));
  Sample u({-7, 7});
  SAMPLEShiftRight(u, 33);  // refused, as are negative counts
  SAMPLEShiftLeft(u, -1);
  EXPECT_EQ(Values(u), (std::vector<int32_t>{-7, 7}));
  SAMPLEShiftRight(u, 32);
  EXPECT_EQ(Values(u), (std::vector<int32_t>{-1, 0}));
  Sample empty;
  EXPECT_EQ(SAMPLEMin(empty), 0);
  EXPECT_EQ(SAMPLEMax(empty), 0);
}

TEST(Sample, RotationsTakeTheAmountModuloTheLength) {
  Sample s({0, 1, 2, 3, 4});
  SAMPLERotateRight(s, 5);
  SAMPLERotateRight(s, 0);
  EXPECT_EQ(Values(s), (std::vector<int32_t>{0, 1, 2, 3, 4}));
  SAMPLERotateRight(s, 6);
  EXPECT_EQ(Values(s), (std::vector<int32_t>{4, 0, 1, 2, 3}));
  SAMPLERotateLeft(s, 2);
  EXPECT_EQ(Values(s), (std::vector<int32_t>{1, 2, 3, 4, 0}));
  SAMPLERotateRight(s, -1);  // a negative amount turns the other way
  SAMPLERotateLeft(s, INT32_MIN);
  EXPECT_EQ(Values(s), (std::vector<int32_t>{4, 0, 1, 2, 3}));  // INT32_MIN mod 5 = 2
  Sample empty;
  SAMPLERotateLeft(empty, 3);
  SAMPLERotateRight(empty, 3);
  EXPECT_EQ(empty->length, 0);
}

TEST(Sample, LineWorkedExamples) {
  const std::vector<int32_t> ramp = {32767, 30946, 27305, 23665, 20024,
                                     16383, 12742, 9102,  5461,  1820};
  Sample s;
  SAMPLESetLength(s, 10);
  SAMPLELine(s, 0, 32767, 9, 0);
  EXPECT_EQ(Values(s), ramp);
  SAMPLEClear(s);
  SAMPLELine(s, 9, 0, 0, 32767);
  EXPECT_EQ(Values(s), ramp);

  Sample long_;
  SAMPLESetLength(long_, 22050);
  SAMPLELine(long_, 0, 32767, 22049, 0);
  std::vector<int32_t> v = Values(long_);
  EXPECT_EQ(std::vector<int32_t>(v.begin(), v.begin() + 3), (std::vector<int32_t>{32767, 32766, 32764}));
  EXPECT_EQ(std::vector<int32_t>(v.end() - 3, v.end()), (std::vector<int32_t>{3, 2, 0}));

  SAMPLELine(s, 4, 5, 4, 99);  // a single point gets y1
  EXPECT_EQ(SAMPLEGet(s, 4), 5);
  SAMPLELine(s, 0, 1, 10, 1);  // x2 past the end: refused
  SAMPLELine(s, -1, 1, 3, 1);
  EXPECT_EQ(SAMPLEGet(s, 0), 32767);
}

// The ramp as written: the inner advance one step at a time.
std::vector<int32_t> LineReference(int32_t length, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  std::vector<int32_t> v(size_t(length), 0);
  if (x1 > x2) std::swap(x1, x2), std::swap(y1, y2);
  int64_t dx = x2 - x1, dy = std::llabs(int64_t(y2) - y1);
  int64_t step = y2 > y1 ? 1 : y2 < y1 ? -1 : 0, y = y1;
  if (dx == 0) {
    v[size_t(x1)] = y1;
  } else if (dx > dy) {
    int64_t e = dx >> 1;
    for (int32_t x = x1; x <= x2; ++x) {
      v[size_t(x)] = int32_t(y);
      e -= dy;
      if (e <= 0) e += dx, y += step;
    }
  } else {
    int64_t e = dy >> 1;
    for (int32_t x = x1; x <= x2; ++x) {
      v[size_t(x)] = int32_t(y);
      while (e > 0) y += step, e -= dx;
      e += dy;
    }
  }
  return v;
}

TEST(Sample, LineMatchesTheStepByStepRampOnRandomInputs) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 3000; ++trial) {
    int32_t length = int32_t(random() % 300) + 1;
    int32_t x1 = int32_t(random() % uint32_t(length)), x2 = int32_t(random() % uint32_t(length));
    int32_t range = trial % 3 == 0 ? 100000 : 400;
    int32_t y1 = int32_t(random() % uint32_t(2 * range)) - range;
    int32_t y2 = int32_t(random() % uint32_t(2 * range)) - range;
    Sample s;
    SAMPLESetLength(s, length);
    SAMPLELine(s, x1, y1, x2, y2);
    ASSERT_EQ(Values(s), LineReference(length, x1, y1, x2, y2))
        << length << " " << x1 << "," << y1 << " " << x2 << "," << y2;
  }
}

TEST(Sample, ResamplePicksEvenlyAndRefusesEmpty) {
  Sample s({1, 2, 3, 4});
  SAMPLEResample(s, 2);
  EXPECT_EQ(Values(s), (std::vector<int32_t>{2, 4}));
  SAMPLEResample(s, 4);
  EXPECT_EQ(Values(s), (std::vector<int32_t>{2, 2, 4, 4}));
  EXPECT_EQ(s->capacity, 4);
  Sample odd({1, 2, 3});
  SAMPLEResample(odd, 7);
  EXPECT_EQ(Values(odd), (std::vector<int32_t>{1, 1, 2, 2, 3, 3, 3}));
  SAMPLEResample(odd, 7);  // same length: refused
  SAMPLEResample(odd, 0);
  EXPECT_EQ(odd->length, 7);
  Sample empty;
  SAMPLEResample(empty, 5);
  EXPECT_EQ(empty->length, 0);
}

TEST(Sample, FitMapsMinimumAndMaximumOntoTheRange) {
  Sample s({100, 150, 200});
  SAMPLEFit(s, 0, 200);
  EXPECT_EQ(Values(s), (std::vector<int32_t>{0, 100, 200}));
  Sample centred({-10, 0, 10});
  SAMPLEFit(centred, 0, 1000);
  EXPECT_EQ(Values(centred), (std::vector<int32_t>{0, 500, 1000}));
  Sample constant({5, 5});
  SAMPLEFit(constant, -3, 3);
  EXPECT_EQ(Values(constant), (std::vector<int32_t>{-3, -3}));
}

TEST(Sample, MatchCountAndBestOffset) {
  Sample a({1, 2, 3, 4}), b({3, 4, 9});
  EXPECT_EQ(SAMPLEMatchCount(a, b, 2), 2);
  EXPECT_EQ(SAMPLEMatchCount(a, b, -2), 0);
  EXPECT_EQ(SAMPLEMatchCount(a, b, -3), -1);  // out of range
  EXPECT_EQ(SAMPLEMatchCount(a, b, 4), -1);
  EXPECT_EQ(SAMPLEBestOffset(b, a), -2);
  Sample zeros({0, 0, 0});
  EXPECT_EQ(SAMPLEBestOffset(zeros, zeros), 0);
  Sample none({7, 8});
  EXPECT_EQ(SAMPLEBestOffset(a, none), -2);
}

}  // namespace

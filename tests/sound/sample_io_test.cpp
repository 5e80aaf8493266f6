#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sample.h"
#include "sample_helpers.h"

namespace {

std::string Text(const SAMPLE* s) {
  char* text = SAMPLEToASCII(s);
  std::string result = text ? text : "<null>";
  free(text);
  return result;
}

TEST(SampleText, FormatAndRoundTrip) {
  EXPECT_EQ(Text(Sample({5, -2, 0})), "SAMPLE { 3\n5\n-2\n0\n}\n");
  EXPECT_EQ(Text(Sample()), "SAMPLE { 0 }\n");
  Sample extremes({INT32_MIN, INT32_MAX, -1, 0, 32767});
  char* text = SAMPLEToASCII(extremes);
  Sample back(SAMPLEFromASCII(text));
  free(text);
  ASSERT_NE(static_cast<SAMPLE*>(back), nullptr);
  EXPECT_EQ(SAMPLEEqual(back, extremes), 1);
}

TEST(SampleText, AnyNonDigitSeparatesAndTheBraceIsNotRequired) {
  Sample s(SAMPLEFromASCII("junk SAMPLE x { -4 ,, 12;-7 - 3 zz\n8"));
  ASSERT_NE(static_cast<SAMPLE*>(s), nullptr);
  // The length has no sign: "-4" announces 4 values; a lone '-' only separates.
  EXPECT_EQ(Values(s), (std::vector<int32_t>{12, -7, 3, 8}));
}

TEST(SampleText, MalformedTextFailsCleanly) {
  const char* bad[] = {
      "",
      "SAMPLE 3 1 2 3",               // no '{'
      "{ 3 1 2 3 }",                  // no "SAMPLE"
      "SAMPLE { }",                   // no length
      "SAMPLE { 3\n1\n2\n",           // announces more values than it holds
      "SAMPLE { 3\n1\n2\n-",          // ends on a sign
      "SAMPLE { 99999999999\n1\n",    // length beyond 32 bits
      "SAMPLE { 2000000000\n1\n2\n",  // far more announced than the text could hold
      "SAMPLE { 1\n2147483648\n}",    // value beyond 32 bits
      "SAMPLE { 1\n-2147483649\n}",
  };
  for (const char* text : bad) EXPECT_EQ(SAMPLEFromASCII(text), nullptr) << text;
  EXPECT_EQ(SAMPLEFromASCII(nullptr), nullptr);
  Sample lowest(SAMPLEFromASCII("SAMPLE { 1\n-2147483648\n}"));
  ASSERT_NE(static_cast<SAMPLE*>(lowest), nullptr);
  EXPECT_EQ(SAMPLEGet(lowest, 0), INT32_MIN);
}

// An anonymous temporary file, closed at the end of the test.
struct TempFile {
  FILE* f = tmpfile();
  ~TempFile() { fclose(f); }
  std::vector<uint8_t> Bytes() {
    rewind(f);
    std::vector<uint8_t> out;
    for (int c; (c = fgetc(f)) != EOF;) out.push_back(uint8_t(c));
    return out;
  }
  void Write(std::vector<uint8_t> bytes) {
    for (uint8_t b : bytes) fputc(b, f);
    rewind(f);
  }
};

TEST(SampleRaw, WriteClampsPerWidthAndOrdersBytes) {
  Sample s({40000, -40000});
  TempFile sixteen;
  EXPECT_EQ(SAMPLEWriteRaw(s, sixteen.f, 16, 'l'), 1);
  EXPECT_EQ(sixteen.Bytes(), (std::vector<uint8_t>{0xFF, 0x7F, 0x00, 0x80}));
  TempFile big;
  SAMPLEWriteRaw(s, big.f, 7, 'b');  // any other width is 16-bit
  EXPECT_EQ(big.Bytes(), (std::vector<uint8_t>{0x7F, 0xFF, 0x80, 0x00}));
  Sample wide({INT32_MIN, 0x123456});
  TempFile twentyFour;
  SAMPLEWriteRaw(wide, twentyFour.f, 24, 'b');
  EXPECT_EQ(twentyFour.Bytes(), (std::vector<uint8_t>{0x80, 0x00, 0x00, 0x12, 0x34, 0x56}));
  TempFile thirtyTwo;
  SAMPLEWriteRaw(wide, thirtyTwo.f, 32, 'l');
  EXPECT_EQ(thirtyTwo.Bytes(),
            (std::vector<uint8_t>{0x01, 0x00, 0x00, 0x80, 0x56, 0x34, 0x12, 0x00}));
  EXPECT_EQ(SAMPLEWriteRaw(s, nullptr, 16, 'l'), 0);
}

TEST(SampleRaw, ReadRoundTripsWhatWriteWrote) {
  Sample s({-32768, -1, 0, 1, 0x1234, 32767});
  for (char order : {'l', 'b'}) {
    TempFile file;
    SAMPLEWriteRaw(s, file.f, 16, order);
    rewind(file.f);
    Sample back(SAMPLEReadRaw(file.f, 16, order, 's'));
    ASSERT_NE(static_cast<SAMPLE*>(back), nullptr);
    EXPECT_EQ(Values(back), Values(s)) << order;
  }
}

TEST(SampleRaw, ReadScalesEightBitAndCentresUnsigned) {
  TempFile file;
  file.Write({0x00, 0x80, 0xFF});
  Sample u8(SAMPLEReadRaw(file.f, 8, 'l', 'u'));
  EXPECT_EQ(Values(u8), (std::vector<int32_t>{-32768, 0, 32512}));
  rewind(file.f);
  Sample s8(SAMPLEReadRaw(file.f, 8, 'l', 's'));
  EXPECT_EQ(Values(s8), (std::vector<int32_t>{0, -32768, -256}));
  rewind(file.f);
  // 16-bit: the odd last byte is dropped.
  Sample u16(SAMPLEReadRaw(file.f, 16, 'b', 'u'));
  EXPECT_EQ(Values(u16), (std::vector<int32_t>{0x0080 - 32768}));
}

TEST(SampleRaw, ReadEmptyLongAndBadArguments) {
  TempFile empty;
  Sample none(SAMPLEReadRaw(empty.f, 16, 'l', 's'));
  ASSERT_NE(static_cast<SAMPLE*>(none), nullptr);
  EXPECT_EQ(none->length, 0);
  EXPECT_EQ(none->capacity, 1024);
  TempFile file;
  file.Write(std::vector<uint8_t>(5000, 0x01));
  Sample many(SAMPLEReadRaw(file.f, 16, 'l', 's'));
  EXPECT_EQ(many->length, 2500);
  EXPECT_EQ(many->capacity, 4096);
  EXPECT_EQ(SAMPLEGet(many, 2499), 0x0101);
  EXPECT_EQ(SAMPLEReadRaw(file.f, 12, 'l', 's'), nullptr);
  EXPECT_EQ(SAMPLEReadRaw(file.f, 16, 'x', 's'), nullptr);
}

}  // namespace

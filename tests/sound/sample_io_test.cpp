#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "sample_helpers.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(SampleText, FormatRoundTripSeparatorsAndMalformedText) {
  Sample s({INT32_MIN, INT32_MAX, -1, 0}), empty;
  char *text = SAMPLEToASCII(s), *none = SAMPLEToASCII(empty);
  EXPECT_STREQ(text, "SAMPLE { 4\n-2147483648\n2147483647\n-1\n0\n}\n");
  EXPECT_STREQ(none, "SAMPLE { 0 }\n");
  EXPECT_EQ(Values(Sample(SAMPLEFromASCII(text))), Values(s));
  EXPECT_EQ(Values(Sample(SAMPLEFromASCII(none))), V{});
  free(text), free(none);
  // The length has no sign ("-4" announces 4 values); a lone '-' separates; no '}' needed.
  EXPECT_EQ(Values(Sample(SAMPLEFromASCII("junk SAMPLE x { -4 ,, 12;-7 - 3 zz\n8"))),
            (V{12, -7, 3, 8}));
  for (const char* bad : std::initializer_list<const char*>{
           "", "SAMPLE 3 1 2 3",           // no '{'
           "{ 3 1 2 3 }",                  // no "SAMPLE"
           "SAMPLE { }",                   // no length
           "SAMPLE { 3\n1\n2\n",           // fewer values than announced
           "SAMPLE { 99999999999\n1\n",    // length beyond 32 bits
           "SAMPLE { 2000000000\n1\n2\n",  // more than the text could hold
           "SAMPLE { 1\n2147483648\n}",    // values beyond 32 bits
           "SAMPLE { 1\n-2147483649\n}", nullptr})
    EXPECT_EQ(SAMPLEFromASCII(bad), nullptr) << (bad ? bad : "null");
}

// The bytes of a file from its start.
Bytes Contents(FILE* file) {
  Bytes out;
  for (int c = (rewind(file), fgetc(file)); c != EOF; c = fgetc(file)) out.push_back(uint8_t(c));
  return out;
}

TEST(SampleRaw, WriteClampsPerWidthAndOrdersBytes) {
  Sample s({40000, -40000, INT32_MIN, 0x123456});
  const std::tuple<int32_t, char, Bytes> cases[] = {
      {8, 'l', {0x7F, 0x80, 0x80, 0x7F}},
      {7, 'b', {0x7F, 0xFF, 0x80, 0x00, 0x80, 0x00, 0x7F, 0xFF}},  // any other width is 16-bit
      {16, 'l', {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x80, 0xFF, 0x7F}},
      {24, 'b', {0x00, 0x9C, 0x40, 0xFF, 0x63, 0xC0, 0x80, 0x00, 0x00, 0x12, 0x34, 0x56}},
      {32, 'l', {0x40, 0x9C, 0, 0, 0xC0, 0x63, 0xFF, 0xFF, 0x01, 0, 0, 0x80, 0x56, 0x34, 0x12, 0}},
  };
  for (const auto& [width, order, expected] : cases) {
    FILE* file = tmpfile();
    EXPECT_EQ(SAMPLEWriteRaw(s, file, width, order), 1);
    EXPECT_EQ(Contents(file), expected) << width;
    fclose(file);
  }
  EXPECT_EQ(SAMPLEWriteRaw(s, nullptr, 16, 'l'), 0);
  FILE* full = fopen("/dev/full", "wb");  // the bytes fit the stream's buffer: only the flush fails
  EXPECT_EQ(SAMPLEWriteRaw(s, full, 16, 'l'), 0);
  fclose(full);
}

TEST(SampleRaw, ReadScalesEightBitCentresUnsignedAndGrows) {
  FILE* file = tmpfile();
  for (int b : {0x00, 0x80, 0xFF}) fputc(b, file);
  const std::tuple<int32_t, char, char, V> cases[] = {
      {8, 'l', 'u', {-32768, 0, 32512}},
      {8, 'b', 's', {0, -32768, -256}},
      {16, 'b', 'u', {0x0080 - 32768}},
      {16, 'l', 's', {-32768}}};  // 16-bit: the odd last byte is dropped
  for (const auto& [width, order, sign, expected] : cases) {
    rewind(file);
    EXPECT_EQ(Values(Sample(SAMPLEReadRaw(file, width, order, sign))), expected) << width << order;
  }
  for (int i = 0; i < 5000; ++i) fputc(1, file);  // 5003 bytes: the capacity doubles from 1024
  rewind(file);
  Sample read(SAMPLEReadRaw(file, 16, 'l', 's')), atEnd(SAMPLEReadRaw(file, 16, 'l', 's'));
  EXPECT_EQ((V{read->length, read->capacity, SAMPLEGet(read, 2500), atEnd->length}),
            (V{2501, 4096, 0x0101, 0}));
  for (auto [width, order, sign] : {std::tuple{12, 'l', 's'}, {16, 'x', 's'}, {16, 'l', 'x'}})
    EXPECT_EQ(SAMPLEReadRaw(file, width, order, sign), nullptr);
  EXPECT_EQ(SAMPLEReadRaw(nullptr, 16, 'l', 's'), nullptr);
  fclose(file);
#ifndef _WIN32  // the Windows C library reads a write-only stream as empty, without an error
  FILE* writeOnly = fopen("/dev/null", "wb");  // every read fails: that is no end of file
  EXPECT_EQ(SAMPLEReadRaw(writeOnly, 8, 'l', 's'), nullptr);
  fclose(writeOnly);
#endif
}

}  // namespace

// Decodes the PNG files vorndemo-capture writes, checking them on the way.
#ifndef VORN_TESTS_CAPTURE_PNG_DECODE_H
#define VORN_TESTS_CAPTURE_PNG_DECODE_H

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

inline uint32_t Big32(const std::string& s, size_t at) {
  return uint32_t(uint8_t(s[at])) << 24 | uint32_t(uint8_t(s[at + 1])) << 16 |
         uint32_t(uint8_t(s[at + 2])) << 8 | uint32_t(uint8_t(s[at + 3]));
}

// Decodes the PNG our writer makes (8-bit RGB, filter 0) into 0x00RRGGBB pixels,
// checking the signature, every chunk's CRC and the row filters on the way.
inline std::vector<uint32_t> DecodePng(const std::string& png, int32_t* width, int32_t* height) {
  std::vector<uint32_t> pixels;
  if (png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return ADD_FAILURE() << "signature", pixels;
  std::string idat;
  for (size_t at = 8; at + 12 <= png.size();) {
    uint32_t length = Big32(png, at);
    std::string type = png.substr(at + 4, 4);
    const Bytef* typed = reinterpret_cast<const Bytef*>(png.data() + at + 4);
    EXPECT_EQ(crc32(0, typed, length + 4), Big32(png, at + 8 + length)) << type;
    if (type == "IHDR") {
      *width = int32_t(Big32(png, at + 8));
      *height = int32_t(Big32(png, at + 12));
      EXPECT_EQ(png.substr(at + 16, 5), std::string("\x08\x02\x00\x00\x00", 5));
    }
    if (type == "IDAT") idat += png.substr(at + 8, length);
    at += 12 + length;
  }
  size_t rowBytes = 1 + 3 * size_t(*width);
  std::vector<uint8_t> raw(rowBytes * size_t(*height));
  uLongf rawLength = uLongf(raw.size());
  EXPECT_EQ(uncompress(raw.data(), &rawLength, reinterpret_cast<const Bytef*>(idat.data()), uLong(idat.size())), Z_OK);
  EXPECT_EQ(rawLength, raw.size());
  for (int32_t y = 0; y < *height; ++y) {
    const uint8_t* row = raw.data() + size_t(y) * rowBytes;
    EXPECT_EQ(row[0], 0) << "row " << y;
    for (int32_t x = 0; x < *width; ++x)
      pixels.push_back(uint32_t(row[1 + 3 * x]) << 16 | uint32_t(row[2 + 3 * x]) << 8 | row[3 + 3 * x]);
  }
  return pixels;
}

#endif

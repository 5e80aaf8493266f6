// The files of the capture tests, on every system: reading them whole, fresh
// paths, decoding the PNG pictures the tool writes and reading its checksums.
#ifndef VORN_TESTS_CAPTURE_TOOL_FILES_H
#define VORN_TESTS_CAPTURE_TOOL_FILES_H

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

inline std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Without following a link.
inline bool Exists(const std::string& path) {
  std::error_code failure;
  return std::filesystem::exists(std::filesystem::symlink_status(path, failure));
}

// A fresh path under the test's temporary folder (nothing there yet), unique to this run.
inline std::string FreshPath(const std::string& name) {
  static const std::string run = std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  std::string path = testing::TempDir() + "capture_" + name + "_" + run;
  std::error_code ignored;  // a path left by an earlier run that cannot be cleared fails where it is used
  std::filesystem::remove_all(path, ignored);
  return path;
}

inline uint32_t Big32(const std::string& s, size_t at) {
  return uint32_t(uint8_t(s[at])) << 24 | uint32_t(uint8_t(s[at + 1])) << 16 | uint32_t(uint8_t(s[at + 2])) << 8 |
         uint8_t(s[at + 3]);
}

// Decodes the PNG our writer makes (8-bit RGB, filter 0) into 0x00RRGGBB pixels,
// checking the signature, every chunk's CRC, the closing chunk and the row filters on the way.
inline std::vector<uint32_t> DecodePng(const std::string& png, int32_t* width, int32_t* height) {
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  std::string idat, type;
  size_t at = 8;
  while (at + 12 <= png.size() && at + 12 + Big32(png, at) <= png.size()) {
    uint32_t length = Big32(png, at);
    type = png.substr(at + 4, 4);
    EXPECT_EQ(crc32(0, reinterpret_cast<const Bytef*>(png.data() + at + 4), length + 4), Big32(png, at + 8 + length));
    if (type == "IHDR") {
      *width = int32_t(Big32(png, at + 8)), *height = int32_t(Big32(png, at + 12));
      EXPECT_EQ(png.substr(at + 16, 5), std::string("\x08\x02\x00\x00\x00", 5));
    }
    if (type == "IDAT") idat += png.substr(at + 8, length);
    at += 12 + length;
  }
  EXPECT_EQ(type + " then " + std::to_string(png.size() - at), "IEND then 0") << "the last chunk ends the file";
  size_t rowBytes = 1 + 3 * size_t(*width);
  std::vector<uint8_t> raw(rowBytes * size_t(*height));
  uLongf rawLength = uLongf(raw.size());
  EXPECT_EQ(uncompress(raw.data(), &rawLength, reinterpret_cast<const Bytef*>(idat.data()), uLong(idat.size())), Z_OK);
  EXPECT_EQ(rawLength, raw.size());
  std::vector<uint32_t> pixels;
  for (size_t row = 0; row < raw.size(); row += rowBytes) {
    EXPECT_EQ(raw[row], 0) << "row " << row / rowBytes;
    for (size_t at = row + 1; at < row + rowBytes; at += 3)
      pixels.push_back(uint32_t(raw[at]) << 16 | uint32_t(raw[at + 1]) << 8 | raw[at + 2]);
  }
  return pixels;
}

// The lines of checksums.txt: "frame NNNNN PART audio VALUES HASH" or
// "frame NNNNN PART picture HASH" per frame and kind.
struct ChecksumLine {
  int frame = 0;
  std::string part;
  std::string kind;  // "audio" or "picture"
  int values = 0;    // audio values in the frame
  uint64_t hash = 0;
  std::string text;  // the line itself
};

// The lines of the text, or only those of one kind.
inline std::vector<ChecksumLine> ParseChecksums(const std::string& text, const std::string& only = "") {
  std::vector<ChecksumLine> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    ChecksumLine entry;
    std::string word;
    words >> word >> entry.frame >> entry.part >> entry.kind;
    if (entry.kind == "audio") words >> entry.values;
    words >> std::hex >> entry.hash;
    entry.text = line;
    if (only.empty() || entry.kind == only) lines.push_back(entry);
  }
  return lines;
}

#endif

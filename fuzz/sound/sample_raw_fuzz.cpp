// SAMPLEReadRaw on arbitrary bytes as a file, in the mode the first byte picks
// (bit 0: 16-bit, else 8-bit; bit 1: order 'b', else 'l'; bit 2: unsigned,
// else signed); the other bytes are the file. Every value must lie on the
// 16-bit scale and turn back into exactly the bytes it came from, one value per
// byte or byte pair (an odd last byte of 16-bit data is dropped). Signed data
// must also come back out of SAMPLEWriteRaw byte for byte.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "sample.h"

namespace {

// A file holding exactly size bytes of data, opened for binary reading.
FILE* FileOf(const uint8_t* data, size_t size) {
  static int fd = memfd_create("sample_raw_fuzz", 0);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0 || ftruncate(fd, 0) != 0 || (size && pwrite(fd, data, size, 0) != ssize_t(size))) abort();
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) abort();
  return file;
}

// What SAMPLEWriteRaw puts out for the sample.
std::vector<uint8_t> Written(const SAMPLE* sample, int32_t width, char order) {
  char* buffer = nullptr;
  size_t length = 0;
  FILE* file = open_memstream(&buffer, &length);
  if (!file || SAMPLEWriteRaw(sample, file, width, order) != 1 || fclose(file) != 0) abort();
  std::vector<uint8_t> bytes(buffer, buffer + length);
  free(buffer);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int32_t width = data[0] & 1 ? 16 : 8;
  const char order = data[0] & 2 ? 'b' : 'l';
  const bool isUnsigned = data[0] & 4;
  const uint8_t* bytes = data + 1;
  const size_t n = size - 1;
  FILE* file = FileOf(bytes, n);
  SAMPLE* sample = SAMPLEReadRaw(file, width, order, isUnsigned ? 'u' : 's');
  fclose(file);
  const size_t perValue = size_t(width / 8);
  if (!sample || sample->length < 0 || size_t(sample->length) != n / perValue ||
      sample->length > sample->capacity)
    abort();

  // Back to bytes: the unsigned forms are centred by 32768, the 8-bit ones scaled by 256.
  std::vector<uint8_t> back;
  for (int32_t i = 0; i < sample->length; ++i) {
    const int32_t v = sample->items[i];
    if (v < -32768 || v > 32767 || (width == 8 && v % 256 != 0)) abort();
    const uint32_t word = uint32_t(v + (isUnsigned ? 32768 : 0)) & 0xFFFF;
    if (width == 8) {
      back.push_back(uint8_t(word >> 8));
    } else {
      const uint8_t high = uint8_t(word >> 8), low = uint8_t(word);
      back.push_back(order == 'b' ? high : low);
      back.push_back(order == 'b' ? low : high);
    }
  }
  if (back.size() != n / perValue * perValue || (!back.empty() && memcmp(back.data(), bytes, back.size()) != 0))
    abort();

  if (!isUnsigned) {
    if (width == 8) SAMPLEShiftRight(sample, 8);
    if (Written(sample, width, order) != back) abort();
  }
  SAMPLEFree(&sample);
  return 0;
}

// SAMPLE text form and raw PCM files.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sample.h"
#include "sample_internal.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a run of digits at p into value; false if there is none or it exceeds limit.
bool ReadDigits(const char*& p, int64_t limit, int64_t& value) {
  if (!IsDigit(*p)) return false;
  value = 0;
  while (IsDigit(*p)) {
    value = value * 10 + (*p++ - '0');
    if (value > limit) return false;
  }
  return true;
}

}  // namespace

char* SAMPLEToASCII(const SAMPLE* sample) {
  if (!SampleValid(sample)) return SAMPLEError(), nullptr;
  static const char empty[] = "SAMPLE { 0 }\n";
  // "SAMPLE { " with the length line, at most 12 characters per value, "}\n", terminator.
  size_t n = size_t(sample->length);
  if (n > (SIZE_MAX - 64) / 12) return SAMPLEError(), nullptr;
  size_t size = n == 0 ? sizeof empty : 64 + n * 12;
  char* text = static_cast<char*>(calloc(size, 1));
  if (!text) return SAMPLEError(), nullptr;
  if (n == 0) {
    memcpy(text, empty, sizeof empty);
    return text;
  }
  char* out = text + snprintf(text, 64, "SAMPLE { %d\n", int(sample->length));
  for (size_t i = 0; i < n; ++i) out += snprintf(out, 13, "%d\n", int(sample->items[i]));
  memcpy(out, "}\n", 3);
  return text;
}

SAMPLE* SAMPLEFromASCII(const char* text) {
  if (!text) return SAMPLEError(), nullptr;
  const char* p = strstr(text, "SAMPLE");
  if (p) p = strchr(p + 6, '{');
  if (!p) return SAMPLEError(), nullptr;
  while (*p && !IsDigit(*p)) ++p;
  int64_t n = 0;
  if (!ReadDigits(p, INT32_MAX, n)) return SAMPLEError(), nullptr;
  // Each announced value needs a character of its own: refuse before allocating.
  if (strnlen(p, size_t(n)) < size_t(n)) return SAMPLEError(), nullptr;
  SAMPLE* sample = SampleOfLength(int32_t(n));
  if (!sample) return nullptr;
  for (int32_t i = 0; i < n; ++i) {
    // A number is an optional '-' directly followed by digits; anything else separates.
    while (*p && !IsDigit(*p) && !(*p == '-' && IsDigit(p[1]))) ++p;
    bool negative = *p == '-';
    if (negative) ++p;
    int64_t value = 0;
    if (!ReadDigits(p, negative ? -int64_t(INT32_MIN) : INT32_MAX, value)) {
      SAMPLEFree(&sample);
      return SAMPLEError(), nullptr;
    }
    sample->items[i] = int32_t(negative ? -value : value);
  }
  return sample;
}

int SAMPLEWriteRaw(const SAMPLE* sample, FILE* file, int32_t width, char order) {
  if (!SampleValid(sample) || !file) return SAMPLEError(), 0;
  int bytes;
  int64_t lo, hi;
  switch (width) {
    case 8: bytes = 1, lo = -128, hi = 127; break;
    case 24: bytes = 3, lo = -8388608, hi = 8388607; break;
    case 32: bytes = 4, lo = -2147483647, hi = 2147483647; break;
    default: bytes = 2, lo = -32768, hi = 32767; break;
  }
  for (int32_t i = 0; i < sample->length; ++i) {
    int64_t v = sample->items[i];
    uint32_t u = uint32_t(v < lo ? lo : v > hi ? hi : v);
    for (int b = 0; b < bytes; ++b) {
      int shift = order == 'b' ? 8 * (bytes - 1 - b) : 8 * b;
      if (fputc(int((u >> shift) & 0xFF), file) == EOF) return SAMPLEError(), 0;
    }
  }
  // The last bytes may still sit in the stream's buffer: a full disk shows only here.
  if (fflush(file) != 0) return SAMPLEError(), 0;
  return 1;
}

SAMPLE* SAMPLEReadRaw(FILE* file, int32_t width, char order, char signedness) {
  if (!file || (width != 8 && width != 16) || (order != 'b' && order != 'l') ||
      (signedness != 's' && signedness != 'u'))
    return SAMPLEError(), nullptr;
  SAMPLE* sample = SAMPLENew();
  if (!sample) return nullptr;
  SAMPLEReserve(sample, 1024);
  if (sample->capacity != 1024) {
    SAMPLEFree(&sample);
    return nullptr;
  }
  bool isSigned = signedness == 's';
  for (;;) {
    int first = fgetc(file);
    if (first == EOF) break;
    int32_t value;
    if (width == 8) {
      value = isSigned ? int32_t(int8_t(first)) * 256 : first * 256 - 32768;
    } else {
      int second = fgetc(file);
      if (second == EOF) break;  // an odd last byte is dropped
      uint16_t word = order == 'l' ? uint16_t(first | second << 8) : uint16_t(first << 8 | second);
      value = isSigned ? int32_t(int16_t(word)) : int32_t(word) - 32768;
    }
    if (sample->length == sample->capacity) {
      int32_t grown = sample->capacity < SAMPLE_MAX_LENGTH ? SampleGrown(sample->capacity) : 0;
      if (grown) SAMPLEReserve(sample, grown);
      if (sample->capacity != grown) {
        SAMPLEFree(&sample);
        return SAMPLEError(), nullptr;
      }
    }
    sample->items[sample->length++] = value;
  }
  // fgetc gives EOF for a failed read as well: what was read then is not the whole file.
  if (ferror(file)) {
    SAMPLEFree(&sample);
    return SAMPLEError(), nullptr;
  }
  return sample;
}

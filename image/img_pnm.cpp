// IMG picture files: one PBM/PGM/PPM parser over a byte source serves the
// memory, bounded-memory and file readers; the binary PPM writer.
#include <cstdio>

#include "img.h"

namespace {

constexpr int kEnd = EOF;

// The bytes of a picture: memory up to an end (none when unbounded), or a
// file read one character at a time with one character of look-ahead.
struct ByteSource {
  const unsigned char* at = nullptr;
  const unsigned char* end = nullptr;  // null: unbounded memory
  bool nulEnds = false;  // unbounded memory: a NUL ends the header and text rasters
  FILE* file = nullptr;
  int ahead = kEnd;
  bool haveAhead = false;

  int Peek() {
    if (file) {
      if (!haveAhead) ahead = fgetc(file), haveAhead = true;
      return ahead;
    }
    if (end && at >= end) return kEnd;
    return *at;
  }
  // The byte where text is expected: a NUL of unbounded memory is its end.
  int PeekText() {
    int c = Peek();
    return (nulEnds && c == 0) ? kEnd : c;
  }
  int Next() {
    int c = Peek();
    if (file) haveAhead = c == kEnd;  // the end of the file stays the end
    else if (c != kEnd) ++at;
    return c;
  }
  // Bytes left, or UINT64_MAX when it cannot be told.
  uint64_t Remaining() {
    if (!file) return end ? uint64_t(end - at) : UINT64_MAX;
    long here = ftell(file);
    if (here < 0 || fseek(file, 0, SEEK_END) != 0) return UINT64_MAX;
    long last = ftell(file);
    if (fseek(file, here, SEEK_SET) != 0 || last < here) return UINT64_MAX;
    return uint64_t(last - here) + (haveAhead && ahead != kEnd ? 1 : 0);
  }
};

// How the memory and the file readers differ.
struct Rules {
  // Header numbers consume the character that ends them (file); otherwise a
  // number ends before it, and the one byte after the header is skipped and
  // must exist (memory).
  bool numbersConsumeTerminator;
  // Types 1 and 4 get their width rounded up to a multiple of 8: the row fill
  // becomes pixels of the Image (memory). Otherwise each type 4 row starts on
  // a new byte.
  bool roundBitmapWidth;
  // A type 1 pixel is one digit character (memory) or a whole number (file).
  bool bitmapDigitPerPixel;
};

constexpr Rules kMemoryRules{false, true, true};
constexpr Rules kFileRules{true, false, false};

bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsPrintable(int c) { return c >= '!' && c <= '~'; }

// A bitmap is a mask: a set bit (or a text 1) is a lit pixel, white; a clear
// one is black, the transparent key of the keyed blits.
uint32_t BitmapPixel(bool set) { return set ? 0xFFFFFF : 0; }

struct Header {
  int type = 0;  // 1..6
  int64_t width = 0;
  int64_t height = 0;
  int64_t maximum = 0;
};

// Header tokens: "P" and the type digit, "#" comments to the line end, and
// numbers (width, height, maximum; the bitmaps have no maximum). Digits
// saturate far above any allowed size so that "3333333333" cannot wrap.
bool ReadHeader(ByteSource& in, const Rules& rules, Header& h) {
  bool magic = false, width = false, height = false, maximum = false;
  while (!(magic && width && height && maximum)) {
    int c = in.PeekText();
    if (c == kEnd) return false;
    if (!IsPrintable(c)) {
      in.Next();
    } else if (c == 'P' && !magic) {
      in.Next();
      int digit = in.PeekText();
      if (digit < '1' || digit > '6') return false;
      in.Next();
      h.type = digit - '0';
      magic = true;
      if (h.type == 1 || h.type == 4) maximum = true;
    } else if (c == '#') {
      while ((c = in.PeekText()) != kEnd && c != '\n') in.Next();
      if (c == kEnd) return false;
      in.Next();
    } else {
      // A stray character that is not consumed fills a field with 0; once no
      // field is left to fill it would be met again forever.
      if (!rules.numbersConsumeTerminator && !IsDigit(c) && width && height && maximum)
        return false;
      int64_t value = 0;
      while (IsDigit(c = in.PeekText())) {
        if (value < (int64_t(1) << 40)) value = value * 10 + (c - '0');
        in.Next();
      }
      if (!width) h.width = value, width = true;
      else if (!height) h.height = value, height = true;
      else h.maximum = value, maximum = true;
      if (rules.numbersConsumeTerminator && !(magic && width && height && maximum)) in.Next();
    }
  }
  // The one character after the header: the end of the last number, or the
  // white space after a type digit that completed it.
  return in.Next() != kEnd || rules.numbersConsumeTerminator;
}

// The fewest raster bytes a picture of this header can have.
uint64_t MinimumRaster(const Header& h, const Rules& rules) {
  uint64_t n = uint64_t(h.width) * uint64_t(h.height);
  switch (h.type) {
    case 1: return rules.bitmapDigitPerPixel ? n : 2 * n - 1;
    case 2: return 2 * n - 1;  // numbers separated by one character
    case 3: return 6 * n - 1;
    case 4: return (uint64_t(h.width) + 7) / 8 * uint64_t(h.height);
    case 5: return n;
    default: return 3 * n;
  }
}

// A binary raster with a maximum above 255 holds two bytes per sample.
bool HeaderUsable(const Header& h) {
  if (h.width <= 0 || h.height <= 0 || !IMGSizeAllowed(h.width, h.height)) return false;
  if ((h.type == 5 || h.type == 6) && h.maximum > 255) return false;
  return true;
}

// Skips the non-digits before a text sample; false at the end of the data.
bool SkipToDigit(ByteSource& in) {
  int c;
  while ((c = in.PeekText()) != kEnd && !IsDigit(c)) in.Next();
  return c != kEnd;
}

// A text number: non-digits skipped before it, ended by the next non-digit;
// values wrap modulo 2^32 and are not clamped. nonZero tells whether any digit
// was not 0 (so that a huge bitmap value cannot wrap to 0). False at the end.
bool ReadTextNumber(ByteSource& in, uint32_t& value, bool* nonZero = nullptr) {
  if (!SkipToDigit(in)) return false;
  value = 0;
  bool any = false;
  int c;
  while (IsDigit(c = in.PeekText())) {
    value = value * 10u + uint32_t(c - '0');
    any = any || c != '0';
    in.Next();
  }
  if (nonZero) *nonZero = any;
  return true;
}

bool ReadRaster(ByteSource& in, const Rules& rules, int type, IMG* image) {
  size_t n = size_t(image->width) * size_t(image->height);
  uint32_t* px = image->pixels;
  uint32_t r, g, b;
  bool set;
  switch (type) {
    case 1:
      for (size_t i = 0; i < n; ++i) {
        if (rules.bitmapDigitPerPixel) {
          if (!SkipToDigit(in)) return false;
          set = in.Next() != '0';
        } else if (!ReadTextNumber(in, g, &set)) {
          return false;
        }
        px[i] = BitmapPixel(set);
      }
      return true;
    case 2:
      for (size_t i = 0; i < n; ++i) {
        if (!ReadTextNumber(in, g)) return false;
        px[i] = g << 16 | g << 8 | g;
      }
      return true;
    case 3:
      for (size_t i = 0; i < n; ++i) {
        if (!ReadTextNumber(in, r) || !ReadTextNumber(in, g) || !ReadTextNumber(in, b)) return false;
        px[i] = r << 16 | g << 8 | b;
      }
      return true;
    case 4: {
      // Each row starts on a new byte; column x takes bit 7 - (x mod 8).
      int byte = 0;
      for (int32_t y = 0; y < image->height; ++y) {
        for (int32_t x = 0; x < image->width; ++x) {
          if (x % 8 == 0 && (byte = in.Next()) == kEnd) return false;
          *px++ = BitmapPixel((byte >> (7 - x % 8)) & 1);
        }
      }
      return true;
    }
    case 5:
      for (size_t i = 0; i < n; ++i) {
        int c = in.Next();
        if (c == kEnd) return false;
        g = uint32_t(c);
        px[i] = g << 16 | g << 8 | g;
      }
      return true;
    default:
      for (size_t i = 0; i < n; ++i) {
        int cr = in.Next(), cg = in.Next(), cb = in.Next();
        if (cr == kEnd || cg == kEnd || cb == kEnd) return false;
        px[i] = uint32_t(cr) << 16 | uint32_t(cg) << 8 | uint32_t(cb);
      }
      return true;
  }
}

// The one parser; null (after IMGError) on any fault.
IMG* Parse(ByteSource& in, const Rules& rules) {
  Header h;
  if (!ReadHeader(in, rules, h)) return IMGError(), nullptr;
  if (rules.roundBitmapWidth && (h.type == 1 || h.type == 4)) h.width = (h.width + 7) / 8 * 8;
  // Sizes and the data left are checked before anything is allocated.
  if (!HeaderUsable(h) || in.Remaining() < MinimumRaster(h, rules)) return IMGError(), nullptr;
  IMG* image = IMGNew();
  if (!image) return nullptr;
  IMGResize(image, int32_t(h.width), int32_t(h.height));
  if (image->width != h.width || image->height != h.height) {
    IMGFree(&image);
    return nullptr;
  }
  if (!ReadRaster(in, rules, h.type, image)) {
    IMGFree(&image);
    return IMGError(), nullptr;
  }
  return image;
}

}  // namespace

IMG* IMGParsePNM(const unsigned char* data) {
  if (!data) return IMGError(), nullptr;
  ByteSource in;
  in.at = data;
  in.nulEnds = true;
  return Parse(in, kMemoryRules);
}

IMG* IMGParsePNMBounded(const unsigned char* data, size_t length) {
  if (!data) return IMGError(), nullptr;
  ByteSource in;
  in.at = data;
  in.end = data + length;
  return Parse(in, kMemoryRules);
}

IMG* IMGReadPNM(const char* filename) {
  if (!filename) return IMGError(), nullptr;
  FILE* file = fopen(filename, "rb");
  if (!file) return IMGError(), nullptr;
  ByteSource in;
  in.file = file;
  IMG* image = Parse(in, kFileRules);
  fclose(file);
  return image;
}

// ------------------------------------------------------------- PPM writer

int IMGWritePPM(const IMG* image, const char* filename) {
  if (!IMGUsable(image) || !filename || image->width <= 0 || image->height <= 0)
    return IMGError(), 0;
  FILE* file = fopen(filename, "wb");
  if (!file) return IMGError(), 0;
  bool ok = fprintf(file, "P6\n%d %d\n255\n", int(image->width), int(image->height)) > 0;
  // A few thousand pixels at a time keep the writes few and the buffer small.
  unsigned char row[3 * 4096];
  size_t n = size_t(image->width) * size_t(image->height);
  for (size_t i = 0; ok && i < n;) {
    size_t chunk = n - i < 4096 ? n - i : 4096;
    for (size_t k = 0; k < chunk; ++k) {
      uint32_t p = image->pixels[i + k];
      row[3 * k] = uint8_t(p >> 16);
      row[3 * k + 1] = uint8_t(p >> 8);
      row[3 * k + 2] = uint8_t(p);
    }
    ok = fwrite(row, 3, chunk, file) == chunk;
    i += chunk;
  }
  if (fclose(file) != 0) ok = false;
  if (!ok) return IMGError(), 0;
  return 1;
}

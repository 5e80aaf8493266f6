// IMG core: life cycle, text dump and the PBM/PGM/PPM reader and PPM writer.
#include "img.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const IMGIdent[5] = {"IMG     ", "20120402", "ZEKTORIN", "C", "CODE"};
uint8_t IMGDebug = 0;

void IMGError(void) {
  if (IMGDebug) puts("IMG error");
}

namespace {

bool SizeAllowed(int64_t width, int64_t height) {
  return width >= 0 && height >= 0 && width <= IMG_MAX_SIDE && height <= IMG_MAX_SIDE &&
         width * height <= IMG_MAX_PIXELS;
}

size_t PixelCount(const IMG* image) {
  return size_t(image->width) * size_t(image->height);
}

}  // namespace

IMG* IMGNew(void) {
  IMG* image = static_cast<IMG*>(calloc(1, sizeof(IMG)));
  if (!image) return IMGError(), nullptr;
  image->pixels = static_cast<uint32_t*>(calloc(256, sizeof(uint32_t)));
  if (!image->pixels) {
    free(image);
    return IMGError(), nullptr;
  }
  image->width = 16;
  image->height = 16;
  return image;
}

void IMGFree(IMG** image) {
  if (!image || !*image) return IMGError();
  free((*image)->pixels);
  free(*image);
  *image = nullptr;
}

void IMGResize(IMG* image, int32_t width, int32_t height) {
  if (!image || !SizeAllowed(width, height)) return IMGError();
  free(image->pixels);
  size_t count = size_t(width) * size_t(height);
  // calloc(0) may return null; keep one slot so that "no pixels" stays distinct.
  image->pixels = static_cast<uint32_t*>(calloc(count ? count : 1, sizeof(uint32_t)));
  if (!image->pixels) {
    image->width = image->height = 0;
    return IMGError();
  }
  image->width = width;
  image->height = height;
}

void IMGClear(IMG* image) {
  if (!IMGUsable(image)) return IMGError();
  memset(image->pixels, 0, PixelCount(image) * sizeof(uint32_t));
}

void IMGCopyTo(const IMG* source, IMG* destination) {
  if (!source || !destination || !source->pixels || !destination->pixels ||
      source->width != destination->width || source->height != destination->height)
    return IMGError();
  memmove(destination->pixels, source->pixels, PixelCount(source) * sizeof(uint32_t));
}

IMG* IMGCopy(const IMG* source) {
  if (!source || !source->pixels) return IMGError(), nullptr;
  IMG* copy = IMGNew();
  if (!copy) return nullptr;
  IMGResize(copy, source->width, source->height);
  if (copy->width != source->width || copy->height != source->height) {
    IMGFree(&copy);
    return nullptr;
  }
  memcpy(copy->pixels, source->pixels, PixelCount(source) * sizeof(uint32_t));
  return copy;
}

int IMGEqual(const IMG* a, const IMG* b) {
  if (!a || !b) return IMGError(), 0;
  if (a->width != b->width || a->height != b->height) return 0;
  if (!a->pixels || !b->pixels) return a->pixels == b->pixels;
  return memcmp(a->pixels, b->pixels, PixelCount(a) * sizeof(uint32_t)) == 0;
}

// ---------------------------------------------------------------- text dump

char* IMGToASCII(const IMG* image) {
  if (!IMGUsable(image)) return IMGError(), nullptr;
  size_t n = PixelCount(image);
  if (n == 0) {
    char* empty = static_cast<char*>(calloc(6, 1));
    if (!empty) return IMGError(), nullptr;
    memcpy(empty, "IMG{}", 6);
    return empty;
  }
  // Header of at most 40 bytes, 12 characters per pixel, "}\n" and the terminator.
  char* text = static_cast<char*>(calloc(n * 12 + 40 + 3, 1));
  if (!text) return IMGError(), nullptr;
  int length = snprintf(text, 40, "IMG{\nP3\n%d %d\n255\n", int(image->width), int(image->height));
  char* out = text + length;
  for (size_t i = 0; i < n; ++i) {
    uint32_t p = image->pixels[i];
    snprintf(out, 13, "%3d %3d %3d ", int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF));
    out += 12;
    if (i % 6 == 5) out[-1] = '\n';
  }
  out[-1] = '\n';
  memcpy(out, "}\n", 3);
  return text;
}

int32_t IMGFindText(const char* text, const char* pattern) {
  if (!text || !pattern) return IMGError(), 0;
  const char* found = strstr(text, pattern);
  if (!found || !*pattern) return 0;
  return int32_t(found - text) + int32_t(strlen(pattern));
}

namespace {

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// Reads a run of decimal digits, saturating far above any allowed size so that
// "3333333333" cannot wrap into something that looks small.
int64_t ReadDecimal(const char*& p) {
  int64_t value = 0;
  while (IsDigit(*p)) {
    if (value < (int64_t(1) << 40)) value = value * 10 + (*p - '0');
    ++p;
  }
  return value;
}

// Sample values wrap modulo 2^32 as the text says them; they are not clamped.
uint32_t ReadSample(const char*& p) {
  uint32_t value = 0;
  while (IsDigit(*p)) value = value * 10u + uint32_t(*p++ - '0');
  return value;
}

void SkipOne(const char*& p) {
  if (*p) ++p;
}

}  // namespace

IMG* IMGFromASCII(const char* text) {
  if (!text) return IMGError(), nullptr;
  int32_t at = IMGFindText(text, "IMG");
  if (!at) return IMGError(), nullptr;
  int32_t brace = IMGFindText(text + at, "{");
  if (!brace) return IMGError(), nullptr;
  at += brace;
  int32_t magic = IMGFindText(text + at, "P3\n");
  if (!magic) return IMGError(), nullptr;
  const char* p = text + at + magic;
  int64_t width = ReadDecimal(p);
  SkipOne(p);
  int64_t height = ReadDecimal(p);
  SkipOne(p);
  ReadDecimal(p);
  SkipOne(p);
  // Three numbers need at least five characters besides their own digits:
  // refuse a size the rest of the text cannot hold before allocating it.
  if (!SizeAllowed(width, height)) return IMGError(), nullptr;
  size_t values = size_t(width) * size_t(height) * 3;
  if (values && strlen(p) < 2 * values - 1) return IMGError(), nullptr;
  IMG* image = IMGNew();
  if (!image) return nullptr;
  IMGResize(image, int32_t(width), int32_t(height));
  if (image->width != width || image->height != height) {
    IMGFree(&image);
    return nullptr;
  }
  for (size_t i = 0; i < values / 3; ++i) {
    uint32_t rgb[3];
    for (uint32_t& channel : rgb) {
      while (*p && !IsDigit(*p)) ++p;
      if (!*p) {
        IMGFree(&image);
        return IMGError(), nullptr;
      }
      channel = ReadSample(p);
    }
    image->pixels[i] = rgb[0] << 16 | rgb[1] << 8 | rgb[2];
  }
  return image;
}

// ------------------------------------------------------- PBM/PGM/PPM reader

namespace {

constexpr int kEnd = -1;

// Bytes from memory, up to a length. In the unbounded form a NUL ends the
// header and the text rasters, which is where a C string of ours ends.
struct MemorySource {
  const unsigned char* at;
  const unsigned char* end;  // null when unbounded
  bool nulEnds;

  int Peek() const {
    if (end && at >= end) return kEnd;
    return *at;
  }
  int PeekText() const {
    int c = Peek();
    return (nulEnds && c == 0) ? kEnd : c;
  }
  int Next() {
    int c = Peek();
    if (c != kEnd) ++at;
    return c;
  }
  size_t Remaining() const { return end ? size_t(end - at) : SIZE_MAX; }
};

struct FileSource {
  FILE* file;
  int Next() { return fgetc(file); }
};

bool IsPrintable(int c) { return c >= '!' && c <= '~'; }

// In a bitmap a set bit (or a text 1) is ink, black; a clear one is paper, white.
uint32_t BitmapPixel(int set) { return set ? 0 : 0xFFFFFF; }

struct Header {
  int type = 0;        // 1..6
  int64_t width = 0;
  int64_t height = 0;
  int64_t maximum = 0;
};

int64_t Saturate(int64_t value, int digit) {
  return value < (int64_t(1) << 40) ? value * 10 + digit : value;
}

bool AcceptType(Header& header, int digit, bool& magic, bool& maximum) {
  if (digit < '1' || digit > '6') return false;
  header.type = digit - '0';
  magic = true;
  if (header.type == 1 || header.type == 4) maximum = true;
  return true;
}

void StoreField(Header& header, int64_t value, bool& width, bool& height, bool& maximum) {
  if (!width) header.width = value, width = true;
  else if (!height) header.height = value, height = true;
  else header.maximum = value, maximum = true;
}

// Header from memory: a digit run ends before its first non-digit, and one
// byte after the header is skipped.
bool ReadHeader(MemorySource& in, Header& header) {
  bool magic = false, width = false, height = false, maximum = false;
  while (!(magic && width && height && maximum)) {
    int c = in.PeekText();
    if (c == kEnd) return false;
    if (!IsPrintable(c)) {
      in.Next();
    } else if (c == 'P' && !magic) {
      in.Next();
      if (!AcceptType(header, in.PeekText(), magic, maximum)) return false;
      in.Next();
    } else if (c == '#') {
      while ((c = in.PeekText()) != kEnd && c != '\n') in.Next();
      if (c == kEnd) return false;
      in.Next();
    } else {
      // A stray character fills a field with 0 without being consumed; once
      // no field is left to fill it would be met again forever.
      if (!IsDigit(c) && width && height && maximum) return false;
      int64_t value = 0;
      while (IsDigit(c = in.PeekText())) value = Saturate(value, c - '0'), in.Next();
      StoreField(header, value, width, height, maximum);
    }
  }
  return in.Next() != kEnd;
}

// Header from a file: a number is ended by the first non-digit, which is
// consumed, so the raster starts right after it.
bool ReadHeader(FileSource& in, Header& header) {
  bool magic = false, width = false, height = false, maximum = false;
  int c = in.Next();
  while (!(magic && width && height && maximum)) {
    if (c == EOF) return false;
    if (!IsPrintable(c)) {
      c = in.Next();
    } else if (c == 'P' && !magic) {
      if (!AcceptType(header, in.Next(), magic, maximum)) return false;
      c = in.Next();
    } else if (c == '#') {
      while (c != EOF && c != '\n') c = in.Next();
      if (c == EOF) return false;
      c = in.Next();
    } else {
      int64_t value = 0;
      while (IsDigit(c)) value = Saturate(value, c - '0'), c = in.Next();
      StoreField(header, value, width, height, maximum);
      // The terminating character is consumed; the header may end here.
      if (magic && width && height && maximum) break;
      c = in.Next();
    }
  }
  return true;
}

// The fewest raster bytes a picture of this header can have.
uint64_t MinimumRaster(const Header& h) {
  uint64_t n = uint64_t(h.width) * uint64_t(h.height);
  switch (h.type) {
    case 1: return n;                       // one digit a pixel, no separator needed
    case 2: return 2 * n - 1;               // numbers separated by one character
    case 3: return 6 * n - 1;
    case 4: return (uint64_t(h.width) + 7) / 8 * uint64_t(h.height);
    case 5: return n;
    default: return 3 * n;
  }
}

// A binary raster with a maximum above 255 holds two bytes per sample.
bool HeaderUsable(const Header& h) {
  if (h.width <= 0 || h.height <= 0 || !SizeAllowed(h.width, h.height)) return false;
  if ((h.type == 5 || h.type == 6) && h.maximum > 255) return false;
  return true;
}

IMG* NewSized(const Header& h) {
  IMG* image = IMGNew();
  if (!image) return nullptr;
  IMGResize(image, int32_t(h.width), int32_t(h.height));
  if (image->width != h.width || image->height != h.height) IMGFree(&image);
  return image;
}

// Skips non-digits before a text sample; false at the end of the data.
bool SkipToDigit(MemorySource& in) {
  int c;
  while ((c = in.PeekText()) != kEnd && !IsDigit(c)) in.Next();
  return c != kEnd;
}

bool ReadTextSample(MemorySource& in, uint32_t& value) {
  if (!SkipToDigit(in)) return false;
  value = 0;
  int c;
  while (IsDigit(c = in.PeekText())) value = value * 10u + uint32_t(c - '0'), in.Next();
  return true;
}

bool ReadRaster(MemorySource& in, int type, IMG* image) {
  size_t n = PixelCount(image);
  uint32_t* px = image->pixels;
  uint32_t r, g, b;
  switch (type) {
    case 1:
      for (size_t i = 0; i < n; ++i) {
        if (!SkipToDigit(in)) return false;
        px[i] = BitmapPixel(in.Next() != '0');
      }
      return true;
    case 2:
      for (size_t i = 0; i < n; ++i) {
        if (!ReadTextSample(in, g)) return false;
        px[i] = g << 16 | g << 8 | g;
      }
      return true;
    case 3:
      for (size_t i = 0; i < n; ++i) {
        if (!ReadTextSample(in, r) || !ReadTextSample(in, g) || !ReadTextSample(in, b)) return false;
        px[i] = r << 16 | g << 8 | b;
      }
      return true;
    case 4:
      for (size_t i = 0; i < n; i += 8) {
        int byte = in.Next();
        if (byte == kEnd) return false;
        for (int bit = 0; bit < 8; ++bit) px[i + bit] = BitmapPixel((byte >> (7 - bit)) & 1);
      }
      return true;
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
        if (cb == kEnd || cg == kEnd || cr == kEnd) return false;
        px[i] = uint32_t(cr) << 16 | uint32_t(cg) << 8 | uint32_t(cb);
      }
      return true;
  }
}

// A text sample from a file: non-digits skipped, the number ended by (and
// consuming) the next non-digit. End of file after a digit ends the number.
bool ReadTextSample(FileSource& in, uint32_t& value) {
  int c = in.Next();
  while (c != EOF && !IsDigit(c)) c = in.Next();
  if (c == EOF) return false;
  value = 0;
  while (IsDigit(c)) value = value * 10u + uint32_t(c - '0'), c = in.Next();
  return true;
}

bool ReadRaster(FileSource& in, int type, IMG* image) {
  size_t n = PixelCount(image);
  uint32_t* px = image->pixels;
  uint32_t r, g, b;
  switch (type) {
    case 1:
      // One digit a pixel: plain bitmaps need no blank between their digits.
      for (size_t i = 0; i < n; ++i) {
        int c = in.Next();
        while (c != EOF && !IsDigit(c)) c = in.Next();
        if (c == EOF) return false;
        px[i] = BitmapPixel(c != '0');
      }
      return true;
    case 2:
      for (size_t i = 0; i < n; ++i) {
        if (!ReadTextSample(in, g)) return false;
        px[i] = g << 16 | g << 8 | g;
      }
      return true;
    case 3:
      for (size_t i = 0; i < n; ++i) {
        if (!ReadTextSample(in, r) || !ReadTextSample(in, g) || !ReadTextSample(in, b)) return false;
        px[i] = r << 16 | g << 8 | b;
      }
      return true;
    case 4: {
      int byte = 0;
      for (int32_t y = 0; y < image->height; ++y) {
        for (int32_t x = 0; x < image->width; ++x) {
          if (x % 8 == 0 && (byte = in.Next()) == EOF) return false;
          *px++ = BitmapPixel((byte >> (7 - x % 8)) & 1);
        }
      }
      return true;
    }
    case 5:
      for (size_t i = 0; i < n; ++i) {
        int c = in.Next();
        if (c == EOF) return false;
        g = uint32_t(c);
        px[i] = g << 16 | g << 8 | g;
      }
      return true;
    default:
      for (size_t i = 0; i < n; ++i) {
        int cr = in.Next(), cg = in.Next(), cb = in.Next();
        if (cr == EOF || cg == EOF || cb == EOF) return false;
        px[i] = uint32_t(cr) << 16 | uint32_t(cg) << 8 | uint32_t(cb);
      }
      return true;
  }
}

IMG* ParseMemory(MemorySource in) {
  Header header;
  if (!ReadHeader(in, header)) return IMGError(), nullptr;
  // A binary bitmap's row fill becomes pixels of the Image. A text bitmap has
  // no fill: rounding its width would shift every row, so it keeps its own.
  if (header.type == 4) header.width = (header.width + 7) / 8 * 8;
  if (!HeaderUsable(header) || in.Remaining() < MinimumRaster(header)) return IMGError(), nullptr;
  IMG* image = NewSized(header);
  if (!image) return nullptr;
  if (!ReadRaster(in, header.type, image)) {
    IMGFree(&image);
    return IMGError(), nullptr;
  }
  return image;
}

// Bytes left in a seekable file, or UINT64_MAX when it cannot be told.
uint64_t FileRemaining(FILE* file) {
  long here = ftell(file);
  if (here < 0 || fseek(file, 0, SEEK_END) != 0) return UINT64_MAX;
  long end = ftell(file);
  if (fseek(file, here, SEEK_SET) != 0 || end < here) return UINT64_MAX;
  return uint64_t(end - here);
}

}  // namespace

IMG* IMGParsePNM(const unsigned char* data) {
  if (!data) return IMGError(), nullptr;
  return ParseMemory(MemorySource{data, nullptr, true});
}

IMG* IMGParsePNMBounded(const unsigned char* data, size_t length) {
  if (!data) return IMGError(), nullptr;
  return ParseMemory(MemorySource{data, data + length, false});
}

IMG* IMGReadPNM(const char* filename) {
  if (!filename) return IMGError(), nullptr;
  FILE* file = fopen(filename, "rb");
  if (!file) return IMGError(), nullptr;
  FileSource in{file};
  Header header;
  IMG* image = nullptr;
  if (ReadHeader(in, header) && HeaderUsable(header) && FileRemaining(file) >= MinimumRaster(header))
    image = NewSized(header);
  if (image && !ReadRaster(in, header.type, image)) IMGFree(&image);
  fclose(file);
  if (!image) IMGError();
  return image;
}

// ------------------------------------------------------------- PPM writer

int IMGWritePPM(const IMG* image, const char* filename) {
  if (!IMGUsable(image) || !filename || image->width <= 0 || image->height <= 0)
    return IMGError(), 0;
  FILE* file = fopen(filename, "wb");
  if (!file) return IMGError(), 0;
  bool ok = fprintf(file, "P6\n%d %d\n255\n", int(image->width), int(image->height)) > 0;
  // One row at a time keeps the writes few and the buffer small.
  unsigned char row[3 * 4096];
  size_t n = PixelCount(image);
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

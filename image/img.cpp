// IMG core: life cycle and text dump (picture files: img_pnm.cpp).
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
  if (!image || !IMGSizeAllowed(width, height)) return IMGError();
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
  if (!IMGUsable(source) || !IMGUsable(destination) || source->width != destination->width ||
      source->height != destination->height)
    return IMGError();
  memmove(destination->pixels, source->pixels, PixelCount(source) * sizeof(uint32_t));
}

IMG* IMGCopy(const IMG* source) {
  if (!IMGUsable(source)) return IMGError(), nullptr;
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
  if (!IMGSizeAllowed(width, height)) return IMGError(), nullptr;
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

// The bounded PBM/PGM/PPM reader on arbitrary bytes: it must never read past
// the given length, and what it returns must be a whole, consistent Image.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "img.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly size bytes, so any read past the end is a heap overflow.
  std::vector<unsigned char> bytes(data, data + size);
  IMG* image = IMGParsePNMBounded(bytes.data(), bytes.size());
  if (image) {
    if (image->width <= 0 || image->height <= 0 || !image->pixels) abort();
    volatile uint32_t last = image->pixels[size_t(image->width) * size_t(image->height) - 1];
    (void)last;
    IMGFree(&image);
  }
  return 0;
}

// The text dump parser on arbitrary text: it must stop at the terminator, and
// whatever it parses must survive a round trip through the dump unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "img.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  IMG* image = IMGFromASCII(text.c_str());
  if (!image) return 0;
  // Samples above 255 are kept as they are, so only images with clean
  // channels can come back the same from their dump.
  bool clean = image->width > 0 && image->height > 0;
  for (int32_t i = 0; clean && i < image->width * image->height; ++i)
    clean = (image->pixels[i] >> 24) == 0;
  if (clean) {
    char* dump = IMGToASCII(image);
    IMG* again = IMGFromASCII(dump);
    if (!again || again->width != image->width || again->height != image->height) abort();
    free(dump);
    IMGFree(&again);
  }
  IMGFree(&image);
  return 0;
}

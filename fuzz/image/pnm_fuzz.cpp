// Both forms of the PBM/PGM/PPM parser on the same arbitrary bytes: the
// bounded memory reader (given exactly those bytes, so any read past them is
// a heap overflow) and the file reader (the bytes as an in-memory file). Each
// must stop on every input, and what it returns must be a whole, consistent
// Image: positive sizes within the limits, every pixel readable, and a bitmap
// (data that starts with P1 or P4) black and white only.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "img.h"

namespace {

void Check(IMG* image, bool bitmap) {
  if (!image) return;
  if (image->width <= 0 || image->height <= 0 || !image->pixels ||
      !IMGSizeAllowed(image->width, image->height))
    abort();
  for (int64_t i = 0; i < int64_t(image->width) * image->height; ++i) {
    uint32_t p = image->pixels[i];
    if (bitmap && p != 0 && p != 0xFFFFFF) abort();
  }
  IMGFree(&image);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bool bitmap = size >= 2 && data[0] == 'P' && (data[1] == '1' || data[1] == '4');
  std::vector<unsigned char> bytes(data, data + size);
  Check(IMGParsePNMBounded(bytes.data(), bytes.size()), bitmap);

  static int fd = memfd_create("pnm_fuzz", 0);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != ssize_t(size)) abort();
  Check(IMGReadPNM(path.c_str()), bitmap);
  return 0;
}

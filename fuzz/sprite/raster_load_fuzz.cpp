// RASTERLoad on arbitrary bytes as a file. It must accept exactly the files
// of hexadecimal words of 1 to 8 digits separated by white space, with one
// colour per word, and what it returns must come back unchanged through
// RASTERSave and RASTERLoad, and step and draw.
#include <sys/mman.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "img.h"
#include "raster.h"

namespace {

// The name of a memory file of its own for each use.
std::string MemoryFile(const char* name) {
  int fd = memfd_create(name, 0);
  if (fd < 0) abort();
  return "/proc/self/fd/" + std::to_string(fd);
}

// The number of words if the bytes are words of 1 to 8 hexadecimal digits between
// white space; -1 otherwise.
int64_t Words(const uint8_t* data, size_t size) {
  int64_t words = 0;
  int digits = 0;
  for (size_t i = 0; i < size; ++i) {
    if (isxdigit(data[i])) {
      if (digits++ == 0) ++words;
      if (digits > 8) return -1;
    } else if (isspace(data[i])) {
      digits = 0;
    } else {
      return -1;
    }
  }
  return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string input = MemoryFile("raster_load_fuzz"), saved = MemoryFile("raster_saved");
  FILE* file = fopen(input.c_str(), "wb");
  if (!file || (size && fwrite(data, 1, size, file) != size) || fclose(file) != 0) abort();

  RASTER* raster = RASTERLoad(input.c_str());
  const int64_t words = Words(data, size);
  const bool acceptable = words >= 0 && words <= RASTER_MAX_COUNT;
  if (!raster) {
    if (acceptable) abort();
    return 0;
  }
  if (!acceptable || raster->count != words || !raster->colours || raster->position != 0) abort();
  if (raster->count > 0) {
    if (RASTERSave(raster, saved.c_str()) != 1) abort();
    RASTER* again = RASTERLoad(saved.c_str());
    if (!again || !RASTEREqual(raster, again)) abort();
    RASTERFree(&again);
    IMG* image = IMGNew();
    if (!image) abort();
    IMGResize(image, 7, 5);
    RASTERStep(raster);
    if (raster->position < 0 || int64_t(raster->position) >= int64_t(raster->count) << 16) abort();
    RASTERDrawRows(raster, image);
    RASTERDrawColumns(raster, image);
    RASTERSmooth(raster, 1 + data[0] % 4);
    IMGFree(&image);
  }
  RASTERFree(&raster);
  return 0;
}

// SAMPLEFromASCII on arbitrary text: it must stay inside the text, and what it
// accepts must survive a round trip through SAMPLEToASCII.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sample.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The parser reads a NUL-terminated text: give it exactly the input bytes.
  std::string text(reinterpret_cast<const char*>(data), size);
  SAMPLE* sample = SAMPLEFromASCII(text.c_str());
  if (!sample) return 0;
  char* dump = SAMPLEToASCII(sample);
  if (!dump) abort();
  SAMPLE* again = SAMPLEFromASCII(dump);
  if (!again || !SAMPLEEqual(sample, again)) abort();
  free(dump);
  SAMPLEFree(&again);
  SAMPLEFree(&sample);
  return 0;
}

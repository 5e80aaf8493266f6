// FONTFromASCII on arbitrary text: the five head numbers and the image dump of
// the sheet. What it accepts must have cells of 1..IMG_MAX_SIDE pixels and a
// whole sheet, its text form must read back to the same text, and it must draw
// (text, digits, enlarged cells) into a small target wherever its pen and code
// point.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "font.h"
#include "img.h"

namespace {

bool Whole(const IMG* sheet) {
  return !sheet || (IMGUsable(sheet) && IMGSizeAllowed(sheet->width, sheet->height));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  FONT* font = FONTFromASCII(text.c_str());
  if (!font) return 0;
  if (font->cellWidth < 1 || font->cellWidth > IMG_MAX_SIDE || font->cellHeight < 1 ||
      font->cellHeight > IMG_MAX_SIDE || font->target || !Whole(font->sheet))
    abort();

  // A sheet without pixels is written as "IMG{}", which reads back as no sheet.
  char* dump = FONTToASCII(font);
  FONT* again = dump ? FONTFromASCII(dump) : nullptr;
  char* redump = again ? FONTToASCII(again) : nullptr;
  if (!redump) abort();
  const bool noPixels = font->sheet && int64_t(font->sheet->width) * font->sheet->height == 0;
  if (noPixels ? again->sheet || again->x != font->x || again->y != font->y ||
                     again->cellWidth != font->cellWidth || again->cellHeight != font->cellHeight ||
                     again->code != font->code
               : strcmp(dump, redump) != 0)
    abort();
  free(dump);
  free(redump);

  if (font->sheet) {
    IMG* target = IMGNew();
    if (!target) abort();
    IMGResize(target, 24, 20);
    font->target = target;
    FONTDrawText(font, "A\x7f\xff");
    FONTDrawTextSolid(font, "0\n1");
    FONTDrawDecimal(font, 4294967295u);
    FONTDrawHex32(font, 0x1234ABCDu);
    FONTDrawCharAdd(font);
    FONTDrawBig(font, again);  // the copy's cells as the pixels of the enlarged cell
    IMGFree(&target);
  }
  FONTFree(&again);
  FONTFree(&font);
  return 0;
}

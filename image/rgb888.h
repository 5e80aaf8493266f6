// RGB888: pure functions on single colours 0x00RRGGBB. They read only the low
// 24 bits of their arguments and return colours with a top byte of 0 (except
// RGB888ToBytes, which returns its pointer). None fails, allocates or keeps state.
#ifndef VORN_IMAGE_RGB888_H
#define VORN_IMAGE_RGB888_H

#include <cstdint>

// Identification strings: name, date, author, language, kind.
extern const char* const RGB888Ident[5];
// Set to make RGB888Error print "RGB888 error"; clear at start.
extern uint8_t RGB888Debug;
// Prints "RGB888 error" when RGB888Debug is set (nothing in the module calls it).
void RGB888Error(void);

// Each channel min(255, a + b).
uint32_t RGB888Add(uint32_t a, uint32_t b);
// Each channel max(0, a - b).
uint32_t RGB888Sub(uint32_t a, uint32_t b);
// Each channel (a + b) >> 1.
uint32_t RGB888Average(uint32_t a, uint32_t b);
// Red and blue exchanged, green kept.
uint32_t RGB888ToBGR(uint32_t colour);
// The same exchange, named for the other direction.
uint32_t RGB888FromBGR(uint32_t colour);
// Stores red, green, blue into bytes[0..2] and returns bytes; a null pointer stores nothing.
uint8_t* RGB888ToBytes(uint32_t colour, uint8_t* bytes);
// (r AND 255) << 16 | (g AND 255) << 8 | (b AND 255).
uint32_t RGB888FromBytes(int32_t r, int32_t g, int32_t b);
// RGB888Add of the colour and grey * 0x010101, grey being the low byte of the argument.
uint32_t RGB888AddGrey(uint32_t colour, uint32_t grey);
// RGB888Sub of the colour and grey * 0x010101, grey being the low byte of the argument.
uint32_t RGB888SubGrey(uint32_t colour, uint32_t grey);

#endif

// The line-drawn content compiled into the show: the two line fonts in the
// line-object text format and the word list of the typewriter screens. Each
// is NUL-terminated; Size is the byte count without the NUL.
#ifndef VORN_DEMO_LINE_ASSETS_H
#define VORN_DEMO_LINE_ASSETS_H

// The 8 x 8 line font: 256 blocks, glyphs in 0..7 (assets/linefont8.txt).
extern const unsigned char lineFont8x8[];
extern const unsigned int lineFont8x8Size;
// The 16 x 16 wire font: 256 blocks, glyphs in 0..15 (assets/wirefont16.txt).
extern const unsigned char wireFont16x16[];
extern const unsigned int wireFont16x16Size;
// 26 words of upper-case letters and digits, one per line (assets/words.txt).
extern const unsigned char wordList[];
extern const unsigned int wordListSize;

#endif

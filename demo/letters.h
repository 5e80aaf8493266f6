// The show's two line fonts, the logo letters of every frame and the
// frame-rate readout of key 8.
#ifndef VORN_DEMO_LETTERS_H
#define VORN_DEMO_LETTERS_H

// Start-up: parses the two embedded line fonts into smallFont (glyphs centred
// on their origin) and wireFont, both drawing into workImage.
void DemoLineFontsSetup(void);
// The wobbling logo letters drawn in every frame, and the helix part's bouncing ones.
void DemoLetters(void);
void DemoLettersBounce(void);
// The frame-rate readout of key 8: measuredFps and frameCounter in hexadecimal.
void DemoFrameRateReadout(void);

#endif

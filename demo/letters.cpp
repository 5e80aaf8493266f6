// The logo letters of every frame. They are drawn with the wire font, which
// joins the show with the line font; until then the overlay draws nothing.
#include "vorndemo.h"

void DemoLetters(void) {}

void DemoLettersBounce(void) {}

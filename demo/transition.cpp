// The typewriter transition before every part. It types with the line font,
// which joins the show with the vector graphics; until then it shows nothing.
#include "vorndemo.h"

void DemoTransition(void) {}

// The show's entry. It takes no arguments; SDL's start-up library supplies
// the process entry on Windows and calls this main.
#include <SDL.h>

#include "vorndemo.h"

int main(int, char**) {
  // Ctrl-C and SIGTERM end the show; set before SDL starts, so that SDL does
  // not turn them into quit events, and again after, should it have anyway.
  DemoCatchStopSignals();
  DemoInit();
  DemoCatchStopSignals();
  DemoRun();
}

// The show's entry. It takes no arguments; SDL's start-up library supplies
// the process entry on Windows and calls this main.
#include <SDL.h>

#include "vorndemo.h"

int main(int, char**) {
  DemoInit();
  DemoRun();
}

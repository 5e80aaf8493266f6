// The show's entry in a web page: the same start-up and endless cycle as the
// desktop program. Besides, a few read-only views of where the show stands,
// which the page's test reads to know which part it is looking at and that
// the browser calls the audio fill routine.
#include <emscripten.h>

#include "fps.h"
#include "sdlsnd.h"
#include "vorndemo.h"

extern "C" {

// The running step of the cycle ("transition", "swarm", ...; "" during start-up).
EMSCRIPTEN_KEEPALIVE const char* VornWebPart(void) { return demoPart; }
// Frames since start-up: the show's animation clock.
EMSCRIPTEN_KEEPALIVE int32_t VornWebFrame(void) { return frameCounter; }
// Where the audio output stands in the sample at the head of its queue: it
// moves only while the browser calls the fill routine; -1 without an audio output.
EMSCRIPTEN_KEEPALIVE int32_t VornWebAudioPosition(void) { return audio ? audio->position : -1; }

}  // extern "C"

int main(int, char**) {
  DemoInit();
  DemoRun();
}

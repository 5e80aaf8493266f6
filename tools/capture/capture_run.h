// Runs the real show headless under capture. The show's own start-up, cycle
// and frame tail run unchanged; the capture only replaces the frame clock
// (FPSSetClock) with a simulated one on which every frame takes exactly one
// period of the target rate and nothing sleeps, and does its work whenever
// the show reads that clock at the start of a frame's tail:
//  - it presses and releases the scripted keys as SDL key events, which the
//    same frame's keyboard poll then sees;
//  - it takes the frame's sound by calling the audio output's fill callback
//    on the real queue for 44100 / targetFps values (the device is paused, so
//    SDL's audio thread never plays from the queue);
//  - for a frame to be written it switches the display's frame capture on, so
//    the display writes that frame's present and any unpaced fade-out presents
//    after it; the frame's own present is kept, named after the frame number,
//    and the fade-out presents are dropped (they take no time on the clock and
//    have no sound);
//  - it ends the run after the last frame by exiting; the files are completed
//    and moved into the output folder on the way out, also when the show
//    itself exits after a scripted Escape.
#ifndef VORN_TOOLS_CAPTURE_RUN_H
#define VORN_TOOLS_CAPTURE_RUN_H

#include "capture_options.h"

// Runs the capture described by options and ends the process: status 0 when
// every file was written, 1 (with one line on standard error) otherwise.
[[noreturn]] void CaptureRun(const CaptureOptions& options);

#endif

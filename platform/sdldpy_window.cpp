// The windowed build's video-mode flag word. Kept in its own object file so a
// full-screen program can link sdldpy_fullscreen.cpp in its place.
#include "sdldpy.h"

const uint32_t SDLDPYBuildFlags = SDLDPY_FLAGS_WINDOWED;

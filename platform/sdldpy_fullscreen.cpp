// The full-screen build's video-mode flag word (see sdldpy_window.cpp).
#include "sdldpy.h"

const uint32_t SDLDPYBuildFlags = SDLDPY_FLAGS_FULLSCREEN;

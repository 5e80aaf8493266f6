// The command line of vorndemo-capture: which frames to write, how the run
// ends and which keys are pressed when. Frame numbers are the show's
// frameCounter: frame 1 is the first paced frame after start-up.
#ifndef VORN_TOOLS_CAPTURE_OPTIONS_H
#define VORN_TOOLS_CAPTURE_OPTIONS_H

#include <cstdint>
#include <string>
#include <vector>

// Frames first, first + step, ... up to last (inclusive).
struct FrameSpan {
  int32_t first;
  int32_t last;
  int32_t step;
};

// One scripted key press. With an empty part, frame is the show's frame
// number; otherwise it counts from 1 at the first frame of the first run of
// that part in the capture ("helix+20" is the 20th frame of the helix).
struct KeyPress {
  std::string part;
  int32_t frame;
  uint8_t symbol;     // the key byte the show sees: 32 Space, 27 Escape, '5', 'b', ...
  std::string text;   // the entry as the user typed it, for messages
};

enum class PictureFormat { Ppm, Png, None };

struct CaptureOptions {
  std::string outDir = "capture";
  std::vector<FrameSpan> frames;  // pictures to write; empty: none
  PictureFormat format = PictureFormat::Ppm;
  int32_t end = 0;         // last frame of the run; 0: not given
  int32_t cycles = 0;      // whole cycles to run; 0: not given
  int32_t spaceEvery = 0;  // Space on every multiple of this frame number; 0: never
  std::vector<KeyPress> keys;
  bool quiet = false;  // no progress line
  bool help = false;
};

// The usage text printed by --help.
const char* CaptureUsage(void);

// Parses a frame list such as "1-250,400,800-900/10"; false with a one-line reason.
bool ParseFrameList(const std::string& text, std::vector<FrameSpan>* spans, std::string* error);
// Parses a key script such as "120:space,300:b,helix+20:p,900:esc"; false with a one-line reason.
bool ParseKeyScript(const std::string& text, std::vector<KeyPress>* keys, std::string* error);
// Parses the whole command line (argv[0] is skipped); false with a one-line reason.
bool ParseCaptureOptions(int argc, const char* const* argv, CaptureOptions* options, std::string* error);

// True if frame is one of the spans' frames.
bool FrameSelected(const std::vector<FrameSpan>& spans, int32_t frame);
// The last frame the spans select; 0 for none.
int32_t LastSelectedFrame(const std::vector<FrameSpan>& spans);
// The frame after which the run stops at the latest: --end if given, else the last of --frames; 0: none.
int32_t PlannedLastFrame(const CaptureOptions& options);
// The scripted keys that no run with these options reaches: those whose frame
// lies after the planned last frame. A key counted from a part's start counts
// too, since no part starts before frame 1.
std::vector<KeyPress> KeysPastTheEnd(const CaptureOptions& options);

#endif

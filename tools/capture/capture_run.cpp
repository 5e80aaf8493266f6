// The capture's hooks into the running show and the completion of its files.
#include "capture_run.h"

#include <SDL.h>

#include <chrono>
#include <cinttypes>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "capture_files.h"
#include "capture_system.h"
#include "fps.h"
#include "img.h"
#include "sdldpy.h"
#include "sdlsnd.h"
#include "vorndemo.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Capture {
  CaptureOptions options;
  Staging staging;
  WavWriter wav;
  FILE* sums = nullptr;
  int32_t lastFrame = 0;   // planned last frame; 0: ended otherwise
  uint32_t now = 0;        // the simulated clock in microseconds
  int32_t seenFrame = 0;   // the last frameCounter handled
  bool running = false;    // the show's frames have started
  bool ending = false;     // the capture itself ends the run
  // The frame whose picture is being taken, and its picture once presented.
  int32_t capturedFrame = 0;
  std::string capturedPart;
  IMG* picture = nullptr;
  int32_t pictures = 0;
  // Keys by frame; the key held down since the last frame, released at the next.
  std::map<int32_t, KeyPress> keysByFrame;
  uint8_t heldKey = 0;
  std::map<std::string, int32_t> partStarts;  // first frame of the first run of each part
  std::set<std::string> pressedKeys, warnedKeys;  // scripted keys by their text
  const char* part = "";
  int32_t cycle = 0;
  std::vector<std::pair<int32_t, long>> cycleResident;  // cycle, resident KiB at its first frame
  int64_t audioValues = 0;
  Clock::time_point started, lastProgress;
  bool progressShown = false;
};

Capture* capture = nullptr;
volatile sig_atomic_t interrupted = 0;

void OnSignal(int) { interrupted = 1; }

// Ends the process after a failure: one line on standard error, nothing left behind.
[[noreturn]] void Fail(const std::string& message) {
  if (capture) {
    if (capture->progressShown) fputc('\n', stderr);
    if (capture->wav.file) fclose(capture->wav.file), capture->wav.file = nullptr;
    if (capture->sums) fclose(capture->sums), capture->sums = nullptr;
    StagingDiscard(&capture->staging);
  }
  fprintf(stderr, "vorndemo-capture: %s\n", message.c_str());
  fflush(stdout);
  std::_Exit(1);
}

// A warning on standard error, on a line of its own beside the progress line.
void Warn(const std::string& message) {
  if (capture->progressShown) fputc('\n', stderr), capture->progressShown = false;
  fprintf(stderr, "vorndemo-capture: warning: %s\n", message.c_str());
}

std::string FrameName(int32_t frame, const char* extension) {
  char name[32];
  snprintf(name, sizeof name, "frame-%05d.%s", int(frame), extension);
  return name;
}

// The display's watch: the frame's own present (the first one after its clock
// reading) is its picture; the fade-out presents that follow it are not.
void TakePicture(const IMG* image) {
  Capture& c = *capture;
  if (!c.capturedFrame || c.picture) return;
  c.picture = IMGCopy(image);
  if (!c.picture) Fail("out of memory for the picture of frame " + std::to_string(c.capturedFrame));
}

void FinishPicture() {
  Capture& c = *capture;
  int32_t frame = c.capturedFrame;
  c.capturedFrame = 0;
  if (!c.picture) Fail("frame " + std::to_string(frame) + " was not presented");
  fprintf(c.sums, "frame %05d %s picture %016" PRIx64 "\n", int(frame), c.capturedPart.c_str(),
          PictureChecksum(c.picture));
  bool ok = true;
  if (c.options.format == PictureFormat::Ppm)
    ok = IMGWritePPM(c.picture, (c.staging.dir + "/" + FrameName(frame, "ppm")).c_str()) != 0;
  else if (c.options.format == PictureFormat::Png)
    ok = WritePng(c.picture, (c.staging.dir + "/" + FrameName(frame, "png")).c_str());
  IMGFree(&c.picture);
  if (!ok) Fail("cannot write frame " + std::to_string(frame) + " into \"" + c.staging.outDir + "\"");
  ++c.pictures;
}

// The values the audio callback plays in one frame period, from the real queue.
void TakeAudio(int32_t frame) {
  Capture& c = *capture;
  int32_t values = 44100 / targetFps;
  std::vector<uint8_t> bytes(size_t(values) * 2, 0);  // the silence SDL would put in the buffer
  SDL_LockAudio();  // SDL holds this lock around every call of the callback; so do we
  SDLSNDCallback(audio, bytes.data(), int(bytes.size()));
  SDL_UnlockAudio();
  WavAppend(&c.wav, bytes.data(), bytes.size());
  if (c.wav.failed) Fail("cannot write the sound into \"" + c.staging.outDir + "\"");
  c.audioValues += values;
  fprintf(c.sums, "frame %05d %s audio %d %016" PRIx64 "\n", int(frame), c.part, int(values),
          Fnv1a64(bytes.data(), bytes.size(), kFnvStart));
}

void PushKey(uint8_t symbol, bool down) {
  SDL_Event event;
  memset(&event, 0, sizeof event);
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = SDLKey(symbol);
  if (SDL_PushEvent(&event) != 0) Fail("cannot queue a key event: " + std::string(SDL_GetError()));
}

// Releases last frame's key, then presses this frame's: the keyboard poll of
// this frame sees the press last and so keeps it.
void PressKeys(int32_t frame) {
  Capture& c = *capture;
  if (c.heldKey) PushKey(c.heldKey, false), c.heldKey = 0;
  auto scripted = c.keysByFrame.find(frame);
  uint8_t symbol = 0;
  if (scripted != c.keysByFrame.end())
    symbol = scripted->second.symbol, c.pressedKeys.insert(scripted->second.text);
  else if (c.options.spaceEvery && frame % c.options.spaceEvery == 0)
    symbol = 32;
  if (symbol) PushKey(symbol, true), c.heldKey = symbol;
}

// Keys written relative to a part take their frame numbers when it first runs.
void StartPart(int32_t frame) {
  Capture& c = *capture;
  if (c.partStarts.count(c.part)) return;
  c.partStarts[c.part] = frame;
  for (const KeyPress& key : c.options.keys) {
    if (key.part != c.part) continue;
    int32_t at = frame + key.frame - 1;
    auto taken = c.keysByFrame.find(at);
    if (taken != c.keysByFrame.end())
      Fail("keys \"" + taken->second.text + "\" and \"" + key.text + "\" fall on the same frame " +
           std::to_string(at));
    c.keysByFrame[at] = key;
  }
}

// Frames run to the end: the frame being started when the capture ends the run is not one.
int32_t FramesRun() { return capture->seenFrame - (capture->ending ? 1 : 0); }

void ShowProgress(int32_t frame, bool force) {
  Capture& c = *capture;
  if (c.options.quiet || !StandardErrorIsTerminal()) return;
  Clock::time_point t = Clock::now();
  if (!force && t - c.lastProgress < std::chrono::milliseconds(200)) return;
  c.lastProgress = t;
  double seconds = std::chrono::duration<double>(t - c.started).count();
  fprintf(stderr, "\rframe %8d  cycle %d  %-12s  %6.0f frames/s ", int(frame), int(c.cycle), c.part,
          seconds > 0 ? frame / seconds : 0.0);
  c.progressShown = true;
}

// Everything the capture does at the start of a frame's tail, when the show reads the clock.
void OnFrame(int32_t frame) {
  Capture& c = *capture;
  if (interrupted) Fail("interrupted at frame " + std::to_string(frame) + "; nothing was written");
  if (c.capturedFrame) FinishPicture();
  if (demoCycle != c.cycle) {
    c.cycle = demoCycle;
    if (c.options.cycles && c.cycle > c.options.cycles) c.ending = true, exit(0);
    c.cycleResident.push_back({c.cycle, ResidentKiB()});
  }
  if ((c.lastFrame && frame > c.lastFrame)) c.ending = true, exit(0);
  if (c.part != demoPart) {
    c.part = demoPart;
    StartPart(frame);
  }
  TakeAudio(frame);
  PressKeys(frame);
  bool selected = FrameSelected(c.options.frames, frame);
  if (selected) {
    c.capturedFrame = frame;
    c.capturedPart = c.part;
  }
  ShowProgress(frame, false);
}

uint32_t SimulatedMicroseconds(void) {
  Capture& c = *capture;
  if (frameCounter != c.seenFrame) {
    c.seenFrame = frameCounter;
    c.now += uint32_t(framePeriod);  // wraps like the real time stamp
    OnFrame(frameCounter);
  }
  return c.now;
}

// The simulated clock never leaves sleep credit, so the only wait is the helix
// part's pause, where no frame runs: release the held key, or press the next
// scripted key at once, until one of them resumes the show.
void WhilePaused(uint32_t) {
  Capture& c = *capture;
  if (interrupted) Fail("interrupted at frame " + std::to_string(c.seenFrame) + "; nothing was written");
  if (c.heldKey) {
    PushKey(c.heldKey, false);
    c.heldKey = 0;
    return;
  }
  auto next = c.keysByFrame.upper_bound(c.seenFrame);
  if (next == c.keysByFrame.end())
    Fail("the show is paused at frame " + std::to_string(c.seenFrame) + " and no scripted key is left to resume it");
  PushKey(next->second.symbol, true);
  c.heldKey = next->second.symbol;
  c.pressedKeys.insert(next->second.text);
  c.keysByFrame.erase(next);
}

void PrintSummary() {
  Capture& c = *capture;
  int32_t frames = FramesRun();
  printf("captured %d frames (%d pictures, %.2f s of sound) into %s\n", int(frames), int(c.pictures),
         double(c.audioValues) / 44100.0, c.staging.outDir.c_str());
  int32_t planned = PlannedLastFrame(c.options);
  if (planned > frames) printf("the run ended before frame %d: later frames were not reached\n", int(planned));
  long peak = PeakResidentKiB(), resident = ResidentKiB();
  if (peak < 0 || resident < 0) {
    printf("memory: not measured on this system\n");
    return;
  }
  printf("memory: peak resident %ld KiB, resident at the end %ld KiB\n", peak, resident);
  long second = -1;
  for (const auto& [cycle, kib] : c.cycleResident) {
    if (cycle < 2) continue;
    printf("memory: resident at the start of cycle %d: %ld KiB\n", int(cycle), kib);
    if (second < 0) second = kib;
  }
  if (second >= 0) printf("memory: growth from the start of cycle 2 to the end: %ld KiB\n", resident - second);
}

// Names each scripted key the run ended without pressing (those known to lie
// past the end were named before the run).
void WarnUnpressedKeys() {
  Capture& c = *capture;
  for (const KeyPress& key : c.options.keys) {
    if (c.pressedKeys.count(key.text) || c.warnedKeys.count(key.text)) continue;
    if (!key.part.empty() && !c.partStarts.count(key.part))
      Warn("key \"" + key.text + "\" was never pressed: the run never reached the " + key.part);
    else
      Warn("key \"" + key.text + "\" was never pressed: the run ended after frame " + std::to_string(FramesRun()));
  }
}

// Completes the files when the process ends: after the last frame, after
// --cycles, or after the show's own exit key. Any other exit discards them.
void OnExit() {
  Capture& c = *capture;
  if (!c.running || !(c.ending || (controlFlags & CONTROL_EXIT))) {
    StagingDiscard(&c.staging);
    return;
  }
  if (c.capturedFrame) FinishPicture();
  if (c.progressShown) ShowProgress(FramesRun(), true), fputc('\n', stderr);
  bool ok = WavFinish(&c.wav);
  ok &= !ferror(c.sums);
  ok &= fclose(c.sums) == 0;
  c.sums = nullptr;
  if (!ok) Fail("cannot complete the files in \"" + c.staging.outDir + "\"");
  std::string error;
  if (!StagingCommit(&c.staging, &error)) Fail(error);
  WarnUnpressedKeys();
  PrintSummary();
  fflush(stdout);
  SDL_Quit();
}

void Prepare(const CaptureOptions& options) {
  Capture& c = *capture;
  c.options = options;
  c.lastFrame = PlannedLastFrame(options);
  for (const KeyPress& key : options.keys)
    if (key.part.empty()) c.keysByFrame[key.frame] = key;
  std::string error;
  if (!StagingCreate(&c.staging, options.outDir, &error)) {
    fprintf(stderr, "vorndemo-capture: %s\n", error.c_str());
    exit(1);
  }
  if (!WavOpen(&c.wav, (c.staging.dir + "/audio.wav").c_str()))
    Fail("cannot write the sound into \"" + options.outDir + "\"");
  // Binary: the same bytes, newlines included, on every system.
  c.sums = fopen((c.staging.dir + "/checksums.txt").c_str(), "wb");
  if (!c.sums) Fail("cannot write the checksums into \"" + options.outDir + "\"");
  fprintf(c.sums, "# vorndemo-capture: per frame the FNV-1a 64 of its sound values and of its picture\n");
  for (const KeyPress& key : KeysPastTheEnd(options)) {
    Warn("key \"" + key.text + "\" is never pressed: it falls after the run's last frame " +
         std::to_string(c.lastFrame));
    c.warnedKeys.insert(key.text);
  }
}

// Keeps SDL's audio thread away from the queue: only the capture plays from it.
void HoldAudioDevice() {
  if (!audio) Fail("the dummy audio driver did not open, so the sound cannot be captured");
  SDL_PauseAudio(1);
  SDL_LockAudio();  // waits for a fill that may still be running
  SDL_UnlockAudio();
}

}  // namespace

void CaptureRun(const CaptureOptions& options) {
  static Capture state;
  capture = &state;
  Prepare(options);
  // Installed before SDL starts, SDL keeps these instead of turning the
  // signals into quit events that the show ignores.
  CatchStopSignals(OnSignal);
  atexit(OnExit);
  if (!SetEnvironment("SDL_VIDEODRIVER", "dummy") || !SetEnvironment("SDL_AUDIODRIVER", "dummy"))
    Fail("cannot choose SDL's dummy drivers");
  DemoInit();
  SDLDPYSetShowWatch(TakePicture);
  HoldAudioDevice();
  FPSSetClock(SimulatedMicroseconds, WhilePaused);
  state.running = true;
  state.started = state.lastProgress = Clock::now();
  DemoRun();
}

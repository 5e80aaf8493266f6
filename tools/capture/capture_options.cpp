// Command-line parsing of vorndemo-capture. Every rejection comes back as one
// line that names the offending text.
#include "capture_options.h"

#include <cstring>

#include "vorndemo.h"

namespace {

constexpr int32_t kMaxFrame = 99999999;  // eight digits: about 46 days at 25 frames per second

// A whole decimal number 1..kMaxFrame, nothing else.
bool ParseCount(const std::string& text, int32_t* value) {
  if (text.empty() || text.size() > 8) return false;  // more digits could overflow
  int32_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v < 1 || v > kMaxFrame) return false;
  *value = v;
  return true;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (;;) {
    size_t at = text.find(separator, start);
    pieces.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return pieces;
    start = at + 1;
  }
}

bool ParseSpan(const std::string& text, FrameSpan* span, std::string* error) {
  std::string range = text;
  span->step = 1;
  size_t slash = text.find('/');
  if (slash != std::string::npos) {
    range = text.substr(0, slash);
    if (!ParseCount(text.substr(slash + 1), &span->step)) {
      *error = "bad step in frame range \"" + text + "\" (a whole number from 1)";
      return false;
    }
  }
  size_t dash = range.find('-');
  std::string first = range.substr(0, dash);
  std::string last = dash == std::string::npos ? first : range.substr(dash + 1);
  if (!ParseCount(first, &span->first) || !ParseCount(last, &span->last)) {
    *error = "bad frame range \"" + text + "\" (frames count from 1: N, FIRST-LAST or FIRST-LAST/STEP)";
    return false;
  }
  if (span->last < span->first) {
    *error = "frame range \"" + text + "\" ends before it starts";
    return false;
  }
  return true;
}

bool ParseSymbol(const std::string& name, uint8_t* symbol) {
  if (name == "space") return *symbol = 32, true;
  if (name == "esc" || name == "escape") return *symbol = 27, true;
  // One printable character stands for itself: the show's keys are their character codes.
  if (name.size() == 1 && name[0] > 32 && name[0] < 127) return *symbol = uint8_t(name[0]), true;
  return false;
}

bool KnownPart(const std::string& name) {
  for (const DemoStep& step : demoCycleSteps)
    if (name == step.name) return true;
  return false;
}

bool ParseKey(const std::string& text, KeyPress* key, std::string* error) {
  key->text = text;
  size_t colon = text.find(':');
  std::string when = text.substr(0, colon);
  if (colon == std::string::npos || !ParseSymbol(text.substr(colon + 1), &key->symbol)) {
    *error = "bad key \"" + text + "\" (FRAME:KEY or PART+N:KEY; KEY is space, esc or one character)";
    return false;
  }
  size_t plus = when.find('+');
  key->part = plus == std::string::npos ? "" : when.substr(0, plus);
  if (!ParseCount(plus == std::string::npos ? when : when.substr(plus + 1), &key->frame)) {
    *error = "bad frame in key \"" + text + "\" (frames count from 1)";
    return false;
  }
  if (plus != std::string::npos && !KnownPart(key->part)) {
    std::string names;
    for (const DemoStep& step : demoCycleSteps)
      if (names.find(step.name) == std::string::npos)
        names += std::string(names.empty() ? "" : ", ") + step.name;
    *error = "unknown part \"" + key->part + "\" in key \"" + text + "\" (one of " + names + ")";
    return false;
  }
  return true;
}

// The option's value: the next argument, which must exist.
bool TakeValue(int argc, const char* const* argv, int* i, std::string* value, std::string* error) {
  if (*i + 1 >= argc) {
    *error = std::string("option ") + argv[*i] + " needs a value";
    return false;
  }
  *value = argv[++*i];
  return true;
}

bool ParseOptionCount(const std::string& option, const std::string& value, int32_t* out,
                      std::string* error) {
  if (ParseCount(value, out)) return true;
  *error = "bad value \"" + value + "\" for " + option + " (a whole number from 1)";
  return false;
}

}  // namespace

const char* CaptureUsage(void) {
  return "usage: vorndemo-capture [options]\n"
         "Runs the show headless on a simulated frame clock and writes its pictures and sound.\n"
         "  --out DIR          output folder, created if missing (default: capture)\n"
         "  --frames LIST      frames to write, e.g. 1-250,400,800-900/10 (frame 1 is the first)\n"
         "  --format FORMAT    ppm (default), png, or none (checksums only)\n"
         "  --end N            stop after frame N (default: the last frame of --frames)\n"
         "  --cycles N         stop after N whole cycles of the show\n"
         "  --keys SCRIPT      key presses, e.g. 120:space,300:b,helix+20:p,900:esc\n"
         "  --space-every N    press Space on every N-th frame (a scripted key on the same frame wins)\n"
         "  --quiet            no progress line\n"
         "  --help             this text\n"
         "The run stops after the last frame (--end, else --frames), after --cycles, or when\n"
         "an Escape (or q) has faded the show out, whichever comes first. A scripted key the\n"
         "run never reaches is named in a warning on standard error; the run goes on.\n"
         "DIR receives frame-NNNNN.ppm or .png (NNNNN the frame number), audio.wav and checksums.txt.\n";
}

bool ParseFrameList(const std::string& text, std::vector<FrameSpan>* spans, std::string* error) {
  std::vector<FrameSpan> parsed;
  for (const std::string& piece : Split(text, ',')) {
    FrameSpan span;
    if (!ParseSpan(piece, &span, error)) return false;
    parsed.push_back(span);
  }
  *spans = parsed;
  return true;
}

bool ParseKeyScript(const std::string& text, std::vector<KeyPress>* keys, std::string* error) {
  std::vector<KeyPress> parsed;
  for (const std::string& piece : Split(text, ',')) {
    KeyPress key;
    if (!ParseKey(piece, &key, error)) return false;
    // The show reads one key byte per frame: a second key on a frame would be lost.
    for (const KeyPress& other : parsed) {
      if (other.part == key.part && other.frame == key.frame) {
        *error = "keys \"" + other.text + "\" and \"" + key.text + "\" fall on the same frame";
        return false;
      }
    }
    parsed.push_back(key);
  }
  *keys = parsed;
  return true;
}

bool ParseCaptureOptions(int argc, const char* const* argv, CaptureOptions* options, std::string* error) {
  CaptureOptions parsed;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    std::string value;
    bool ok = true;
    if (option == "--help" || option == "-h") {
      parsed.help = true;
    } else if (option == "--quiet") {
      parsed.quiet = true;
    } else if (option == "--out") {
      ok = TakeValue(argc, argv, &i, &value, error);
      if (ok && value.empty()) *error = "option --out needs a folder name", ok = false;
      parsed.outDir = value;
    } else if (option == "--frames") {
      ok = TakeValue(argc, argv, &i, &value, error) && ParseFrameList(value, &parsed.frames, error);
    } else if (option == "--format") {
      ok = TakeValue(argc, argv, &i, &value, error);
      if (ok && value == "ppm") parsed.format = PictureFormat::Ppm;
      else if (ok && value == "png") parsed.format = PictureFormat::Png;
      else if (ok && value == "none") parsed.format = PictureFormat::None;
      else if (ok) *error = "unknown format \"" + value + "\" (ppm, png or none)", ok = false;
    } else if (option == "--end") {
      ok = TakeValue(argc, argv, &i, &value, error) && ParseOptionCount(option, value, &parsed.end, error);
    } else if (option == "--cycles") {
      ok = TakeValue(argc, argv, &i, &value, error) && ParseOptionCount(option, value, &parsed.cycles, error);
    } else if (option == "--space-every") {
      ok = TakeValue(argc, argv, &i, &value, error) &&
           ParseOptionCount(option, value, &parsed.spaceEvery, error);
    } else if (option == "--keys") {
      ok = TakeValue(argc, argv, &i, &value, error) && ParseKeyScript(value, &parsed.keys, error);
    } else {
      *error = "unknown option \"" + option + "\" (see --help)";
      ok = false;
    }
    if (!ok) return false;
  }
  bool escapes = false;
  for (const KeyPress& key : parsed.keys) escapes |= key.symbol == 27 || key.symbol == 'q' || key.symbol == 'Q';
  if (!parsed.help && !parsed.end && !parsed.cycles && parsed.frames.empty() && !escapes) {
    *error = "nothing ends the run: give --frames, --end, --cycles or an exit key";
    return false;
  }
  *options = parsed;
  return true;
}

bool FrameSelected(const std::vector<FrameSpan>& spans, int32_t frame) {
  for (const FrameSpan& span : spans)
    if (frame >= span.first && frame <= span.last && (frame - span.first) % span.step == 0) return true;
  return false;
}

int32_t LastSelectedFrame(const std::vector<FrameSpan>& spans) {
  int32_t last = 0;
  for (const FrameSpan& span : spans) {
    int32_t end = span.first + (span.last - span.first) / span.step * span.step;
    if (end > last) last = end;
  }
  return last;
}

int32_t PlannedLastFrame(const CaptureOptions& options) {
  return options.end ? options.end : LastSelectedFrame(options.frames);
}

std::vector<KeyPress> KeysPastTheEnd(const CaptureOptions& options) {
  std::vector<KeyPress> late;
  int32_t last = PlannedLastFrame(options);
  for (const KeyPress& key : options.keys)
    if (last && key.frame > last) late.push_back(key);
  return late;
}

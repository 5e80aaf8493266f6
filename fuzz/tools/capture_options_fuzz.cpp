// The command line of vorndemo-capture from arbitrary bytes: split at NUL
// bytes they are the arguments after the tool's name; the frame-list and the
// key-script parsers also get the bytes whole. Every input must end in an
// answer, a refusal with a reason, and what is accepted must be consistent:
// spans inside 1..99999999 whose last selected frame is selected, keys on
// known parts with no two on one frame, and something that ends the run.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "capture_options.h"
#include "vorndemo.h"

namespace {

constexpr int32_t kLargest = 99999999;

void CheckSpans(const std::vector<FrameSpan>& spans) {
  for (const FrameSpan& s : spans) {
    if (s.first < 1 || s.last < s.first || s.last > kLargest || s.step < 1 || s.step > kLargest ||
        !FrameSelected(spans, s.first))
      abort();
  }
  const int32_t last = LastSelectedFrame(spans);
  if (spans.empty() ? last != 0 : !FrameSelected(spans, last) || FrameSelected(spans, last + 1))
    abort();
}

void CheckKeys(const std::vector<KeyPress>& keys) {
  for (size_t i = 0; i < keys.size(); ++i) {
    const KeyPress& key = keys[i];
    if (key.frame < 1 || key.frame > kLargest || (key.symbol != 27 && (key.symbol < 32 || key.symbol > 126)))
      abort();
    bool known = key.part.empty();
    for (const DemoStep& step : demoCycleSteps) known |= key.part == step.name;
    if (!known) abort();
    for (size_t j = 0; j < i; ++j)
      if (keys[j].part == key.part && keys[j].frame == key.frame) abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> words;
  for (size_t start = 0; start <= size;) {
    const size_t end = text.find('\0', start);
    words.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  std::vector<const char*> argv = {"vorndemo-capture"};
  for (const std::string& word : words) argv.push_back(word.c_str());

  CaptureOptions options;
  std::string error;
  if (ParseCaptureOptions(int(argv.size()), argv.data(), &options, &error)) {
    CheckSpans(options.frames);
    CheckKeys(options.keys);
    bool escapes = false;
    for (const KeyPress& key : options.keys) escapes |= key.symbol == 27 || key.symbol == 'q' || key.symbol == 'Q';
    if (options.outDir.empty() || options.end < 0 || options.cycles < 0 || options.spaceEvery < 0 ||
        PlannedLastFrame(options) < 0 ||
        (!options.help && !options.end && !options.cycles && options.frames.empty() && !escapes))
      abort();
  } else if (error.empty()) {
    abort();
  }

  std::vector<FrameSpan> spans;
  error.clear();
  if (ParseFrameList(text, &spans, &error)) CheckSpans(spans);
  else if (error.empty()) abort();
  std::vector<KeyPress> keys;
  error.clear();
  if (ParseKeyScript(text, &keys, &error)) CheckKeys(keys);
  else if (error.empty()) abort();
  return 0;
}

// The README's capture examples, run verbatim (every line that starts build/tools/vorndemo-capture),
// each doing what its options say: no warning of an unreached key, every frame of --frames written
// in its format, each key changing the run from its frame on and nothing before it (against the
// run without it), --space-every cutting more phases short, and --cycles N running N cycles.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "capture_files.h"
#include "run_tool.h"

namespace {

const char kToolPath[] = "build/tools/vorndemo-capture";

struct Example {
  std::string line;               // the README's line
  std::vector<std::string> args;  // its arguments (each run adds an --out of its own, which wins)
};

void PrintTo(const Example& example, std::ostream* out) { *out << example.line; }

std::vector<Example> ReadmeExamples() {
  std::vector<Example> examples;
  std::istringstream in(ReadWhole(README_PATH));
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word != kToolPath) continue;
    Example example{line.substr(line.find(kToolPath)), {}};
    while (words >> word) example.args.push_back(word);
    CaptureOptions options;
    if (!ParseArgs(example.args, &options).empty() || !options.help) examples.push_back(example);
  }
  return examples;
}

// One run's checksums by frame: its part and sound for every frame, its picture for the frames written.
struct Captured {
  int status = -1;
  std::string err, dir;
  std::map<int, ChecksumLine> audio, picture;
  int LastFrame() const { return audio.empty() ? 0 : audio.rbegin()->first; }
  // The frames that run another phase than the frame before: a part change,
  // or the transition's restart.
  std::vector<int> PhaseStarts() const {
    std::vector<int> starts;
    for (auto at = audio.begin(); at != audio.end() && std::next(at) != audio.end(); ++at)
      if (std::next(at)->second.part != at->second.part) starts.push_back(std::next(at)->first);
    return starts;
  }
};

Captured RunCapture(std::vector<std::string> args, const std::string& name) {
  Captured run;
  run.dir = FreshPath(name);
  args.insert(args.end(), {"--out", run.dir, "--quiet"});
  ToolResult r = RunTool(args);
  run.status = r.status, run.err = r.err;
  for (const ChecksumLine& line : ParseChecksums(ReadWhole(run.dir + "/checksums.txt")))
    (line.kind == "audio" ? run.audio : run.picture)[line.frame] = line;
  return run;
}

class ReadmeExample : public testing::TestWithParam<Example> {};

TEST_P(ReadmeExample, DoesWhatItSays) {
  const std::vector<std::string>& args = GetParam().args;
  CaptureOptions options;
  ASSERT_EQ(ParseArgs(args, &options), "");
  Captured run = RunCapture(args, "readme");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.find("warning"), std::string::npos) << run.err;
  const int last = run.LastFrame();

  const char* extension = options.format == PictureFormat::Png ? ".png" : ".ppm";
  for (const FrameSpan& span : options.frames)
    for (int frame = span.first; frame <= span.last && frame <= last; frame += span.step) {
      EXPECT_TRUE(run.picture.count(frame)) << "no picture of frame " << frame;
      char name[32];
      snprintf(name, sizeof name, "/frame-%05d%s", frame, extension);
      EXPECT_EQ(Exists(run.dir + name), options.format != PictureFormat::None) << name;
    }

  // The run without an option (and its value), or with the keys but one: cut to this run's last frame
  // (one more after an exit key, so that the run without it goes on), writing no files but checksums.
  auto without = [&](const std::string& option, const KeyPress* leftOut = nullptr) {
    std::vector<std::string> kept = args;
    auto at = std::find(kept.begin(), kept.end(), option);
    kept.erase(at, at + 2);
    std::string keys;
    for (const KeyPress& k : options.keys)
      if (leftOut && &k != leftOut) keys += (keys.empty() ? "" : ",") + k.text;
    if (!keys.empty()) kept.insert(kept.end(), {"--keys", keys});
    kept.insert(kept.end(), {"--end", std::to_string(last + 1), "--format", "none"});
    return RunCapture(kept, "readme_base");
  };
  for (const KeyPress& key : options.keys) {
    Captured base = without("--keys", &key);
    // A pause whose resuming key is the one left out fails the run.
    ASSERT_EQ(base.status, 0) << key.text << ": the run without it fails: " << base.err;
    int at = key.part.empty() ? key.frame : 0;  // a part's keys count from its first frame
    for (auto line = run.audio.begin(); !at && line != run.audio.end(); ++line)
      if (line->second.part == key.part) at = line->first + key.frame - 1;
    ASSERT_GT(at, 0) << key.text << ": its part never ran";
    // The key is read after its frame is shown and its sound taken: it acts from the next frame.
    bool changed = false;
    for (auto* lines : {&run.audio, &run.picture})
      for (const auto& [frame, line] : *lines) {
        const std::string& other = (lines == &run.audio ? base.audio : base.picture)[frame].text;
        EXPECT_TRUE(frame > at || line.text == other) << key.text << ": changed before its frame: " << line.text;
        changed |= frame > at && line.text != other;
      }
    if (key.symbol == 27 || key.symbol == 'q' || key.symbol == 'Q')
      EXPECT_TRUE(last == at && base.LastFrame() > at) << key.text << ": the run does not end on its frame";
    else
      EXPECT_TRUE(changed) << key.text << ": nothing after its frame shows it";
    RemoveTree(base.dir);
  }

  if (options.spaceEvery) {
    Captured base = without("--space-every");
    EXPECT_GT(run.PhaseStarts().size(), base.PhaseStarts().size()) << "--space-every cuts no phase short";
    RemoveTree(base.dir);
  }
  if (options.cycles) {
    int swarms = 0;
    for (int start : run.PhaseStarts()) swarms += run.audio[start].part == "swarm";
    EXPECT_EQ(swarms, options.cycles) << "whole cycles run";
    EXPECT_EQ(run.audio[last].part, "kaleidoscope") << "the run ends with the cycle's last part";
  }
  RemoveTree(run.dir);
}

INSTANTIATE_TEST_SUITE_P(Readme, ReadmeExample, testing::ValuesIn(ReadmeExamples()));

// The README shows the tool at work at all: a README without examples would pass the test above.
TEST(ReadmeExamples, AreFound) { EXPECT_GE(ReadmeExamples().size(), 3u); }

}  // namespace

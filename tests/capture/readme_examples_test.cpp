// The README's capture examples, run verbatim: every line of it that starts
// build/tools/vorndemo-capture is one example, and each must do what its
// options say it does. The claims follow from the options:
//  - the tool names no scripted key that the run never reaches;
//  - every frame of --frames is written, in the chosen format;
//  - each scripted key changes the run from its frame on, compared with the
//    same run without that key, and nothing before it: Space ends the running
//    phase sooner, an exit key ends the run on its frame, 5 and 6 change the
//    sound's values per frame, and any other key changes a written picture;
//  - --space-every cuts more phases short than the run without it;
//  - --cycles N runs N whole cycles.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "capture_files.h"
#include "capture_options.h"
#include "run_tool.h"

namespace {

const char kToolPath[] = "build/tools/vorndemo-capture";

struct Example {
  std::string line;               // the README's line
  std::vector<std::string> args;  // its arguments, --out dropped
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
    bool help = false;
    while (words >> word) {
      if (word == "--out") words >> word;  // each run writes into a folder of its own
      else example.args.push_back(word);
      help |= word == "--help";
    }
    if (!help) examples.push_back(example);
  }
  return examples;
}

// One run's checksums by frame: its part and sound for every frame, its
// picture for the frames written.
struct Captured {
  int status = -1;
  std::string out, err, dir;
  std::map<int, ChecksumLine> audio, picture;
  int LastFrame() const { return audio.empty() ? 0 : audio.rbegin()->first; }
  std::string PartAt(int frame) const {
    auto at = audio.find(frame);
    return at == audio.end() ? "" : at->second.part;
  }
  // The first frame after from that runs another phase than from: a part
  // change, or the transition's restart; 0 if none within the run.
  int NextPhaseAfter(int from) const {
    for (auto at = audio.upper_bound(from); at != audio.end(); ++at)
      if (at->second.part != PartAt(at->first - 1)) return at->first;
    return 0;
  }
  int PhaseChanges() const {
    int changes = 0;
    for (const auto& [frame, line] : audio) changes += frame > 1 && line.part != PartAt(frame - 1);
    return changes;
  }
};

Captured RunCapture(std::vector<std::string> args, const std::string& name) {
  Captured run;
  run.dir = FreshPath(name);
  args.insert(args.begin(), {"--out", run.dir});
  args.push_back("--quiet");
  ToolResult r = RunTool(args);
  run.status = r.status, run.out = r.out, run.err = r.err;
  for (const ChecksumLine& line : ParseChecksums(ReadWhole(run.dir + "/checksums.txt")))
    (line.kind == "audio" ? run.audio : run.picture)[line.frame] = line;
  return run;
}

CaptureOptions Options(const std::vector<std::string>& args) {
  std::vector<const char*> argv = {"vorndemo-capture"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  CaptureOptions options;
  std::string error;
  EXPECT_TRUE(ParseCaptureOptions(int(argv.size()), argv.data(), &options, &error)) << error;
  return options;
}

// The arguments without one option (and its value), or with --keys less one key.
std::vector<std::string> Without(const std::vector<std::string>& args, const std::string& option,
                                 const std::string& key = "") {
  std::vector<std::string> kept;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != option) {
      kept.push_back(args[i]);
      continue;
    }
    std::string rest;
    std::istringstream keys(i + 1 < args.size() ? args[i + 1] : "");
    for (std::string k; !key.empty() && std::getline(keys, k, ',');)
      if (k != key) rest += (rest.empty() ? "" : ",") + k;
    if (!rest.empty()) kept.insert(kept.end(), {option, rest});
    ++i;
  }
  return kept;
}

class ReadmeExample : public testing::TestWithParam<Example> {};

TEST_P(ReadmeExample, DoesWhatItSays) {
  const std::vector<std::string>& args = GetParam().args;
  const CaptureOptions options = Options(args);
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

  // Compared runs are cut to this run's last frame (one more after an exit
  // key, so that the run without it goes on) and write no files but checksums.
  auto compared = [&](std::vector<std::string> without) {
    without.insert(without.end(), {"--end", std::to_string(last + 1), "--format", "none"});
    return without;
  };
  for (const KeyPress& key : options.keys) {
    Captured base = RunCapture(compared(Without(args, "--keys", key.text)), "readme_base");
    if (base.status != 0) {  // a pause whose resuming key is the one left out
      ADD_FAILURE() << key.text << ": the run without it fails: " << base.err;
      RemoveTree(base.dir);
      continue;
    }
    int at = key.frame;
    if (!key.part.empty()) {
      at = 0;
      for (const auto& [frame, line] : run.audio)
        if (!at && line.part == key.part) at = frame + key.frame - 1;
    }
    ASSERT_GT(at, 0) << key.text << ": its part never ran";
    // The key is read after its frame is shown and its sound taken: it acts from the next frame.
    for (auto line = run.audio.begin(); line != run.audio.upper_bound(at); ++line)
      EXPECT_EQ(line->second.text, base.audio[line->first].text) << key.text << ": changed before its frame";
    for (auto line = run.picture.begin(); line != run.picture.upper_bound(at); ++line)
      EXPECT_EQ(line->second.text, base.picture[line->first].text) << key.text << ": changed before its frame";
    bool soundChanged = false, pictureChanged = false;
    for (const auto& [frame, line] : run.audio) soundChanged |= line.values != base.audio[frame].values;
    for (const auto& [frame, line] : run.picture) pictureChanged |= line.hash != base.picture[frame].hash;
    if (key.symbol == ' ') {
      int sooner = run.NextPhaseAfter(at), later = base.NextPhaseAfter(at);
      EXPECT_TRUE(sooner && (!later || sooner < later))
          << key.text << ": Space ends no phase sooner (" << sooner << " against " << later << ")";
    } else if (key.symbol == 27 || key.symbol == 'q' || key.symbol == 'Q') {
      EXPECT_TRUE(last == at && base.LastFrame() > at) << key.text << ": the run does not end on its frame";
    } else if (key.symbol == '5' || key.symbol == '6') {
      EXPECT_TRUE(soundChanged) << key.text << ": the rate does not change";
    } else {
      EXPECT_TRUE(pictureChanged) << key.text << ": no written picture shows it";
    }
    RemoveTree(base.dir);
  }

  if (options.spaceEvery) {
    Captured base = RunCapture(compared(Without(args, "--space-every")), "readme_base");
    EXPECT_GT(run.PhaseChanges(), base.PhaseChanges()) << "--space-every cuts no phase short";
    RemoveTree(base.dir);
  }
  if (options.cycles) {
    int swarms = 0;
    for (const auto& [frame, line] : run.audio) swarms += line.part == "swarm" && run.PartAt(frame - 1) != "swarm";
    EXPECT_EQ(swarms, options.cycles) << "whole cycles run";
    EXPECT_EQ(run.PartAt(last), "kaleidoscope") << "the run ends with the cycle's last part";
  }
  RemoveTree(run.dir);
}

INSTANTIATE_TEST_SUITE_P(Readme, ReadmeExample, testing::ValuesIn(ReadmeExamples()),
                         [](const testing::TestParamInfo<Example>& info) {
                           return "example" + std::to_string(info.index + 1);
                         });

// The README shows the tool at work at all: a README without examples would pass the test above.
TEST(ReadmeExamples, AreFound) { EXPECT_GE(ReadmeExamples().size(), 3u); }

}  // namespace

// Golden checksums of the show: each scenario of scenarios.txt runs the real
// show through vorndemo-capture and must reproduce golden/<name>.txt line for
// line, the checksum of every chosen picture and of every frame's sound.
// After an intended change of the picture or the sound, regenerate them with
// scripts/capture-goldens.sh (or: make -C build capture-goldens) and say why
// in the commit.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "capture_files.h"
#include "checksums.h"
#include "run_tool.h"

namespace {

struct Scenario {
  std::string name;
  std::vector<std::string> args;
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

std::vector<Scenario> LoadScenarios() {
  std::vector<Scenario> scenarios;
  std::istringstream in(ReadWhole(std::string(CAPTURE_TEST_DIR) + "/scenarios.txt"));
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    Scenario s;
    words >> s.name;
    for (std::string word; words >> word;) s.args.push_back(word);
    scenarios.push_back(s);
  }
  return scenarios;
}

class Golden : public testing::TestWithParam<Scenario> {};

TEST_P(Golden, ReproducesEveryChecksum) {
  const Scenario& scenario = GetParam();
  std::string golden = ReadWhole(std::string(CAPTURE_TEST_DIR) + "/golden/" + scenario.name + ".txt");
  ASSERT_FALSE(golden.empty()) << "no golden file for " << scenario.name << ": run scripts/capture-goldens.sh";
  std::string out = FreshPath("golden_" + scenario.name);
  std::vector<std::string> args = {"--out", out, "--format", "none", "--quiet"};
  args.insert(args.end(), scenario.args.begin(), scenario.args.end());
  ToolResult r = RunTool(args);
  ASSERT_EQ(r.status, 0) << r.err;

  std::map<std::pair<int, std::string>, ChecksumLine> made;
  for (const ChecksumLine& line : ParseChecksums(ReadWhole(out + "/checksums.txt")))
    made[{line.frame, line.kind}] = line;
  int reported = 0;
  for (const ChecksumLine& want : ParseChecksums(golden)) {
    auto got = made.find({want.frame, want.kind});
    if (got == made.end()) {
      ADD_FAILURE() << "frame " << want.frame << " (" << want.part << "): no " << want.kind << " any more";
    } else {
      if (got->second.text != want.text && reported++ < 20)
        ADD_FAILURE() << "frame " << want.frame << " (" << want.part << "): " << want.kind
                      << " differs\n  expected: " << want.text << "\n  made:     " << got->second.text;
      made.erase(got);
    }
  }
  for (const auto& [key, line] : made) ADD_FAILURE() << "frame " << key.first << ": unexpected " << line.text;
  RemoveTree(out);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Golden, testing::ValuesIn(LoadScenarios()),
                         [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

}  // namespace

// Golden checksums of the show: each scenario of scenarios.txt runs the real show through
// vorndemo-capture and must reproduce golden/<name>.txt line for line. After an intended change
// of picture or sound, regenerate them with scripts/capture-goldens.sh and say why in the commit.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "capture_files.h"
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
    std::istringstream words(line);
    Scenario s;
    if (line.empty() || line[0] == '#' || !(words >> s.name)) continue;
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

  std::vector<ChecksumLine> want = ParseChecksums(golden), made = ParseChecksums(ReadWhole(out + "/checksums.txt"));
  for (size_t i = 0, reported = 0; i < std::min(want.size(), made.size()); ++i)
    if (made[i].text != want[i].text && reported++ < 20)
      ADD_FAILURE() << "frame " << want[i].frame << " (" << want[i].part << "): " << want[i].kind
                    << " differs\n  expected: " << want[i].text << "\n  made:     " << made[i].text;
  EXPECT_EQ(made.size(), want.size()) << "checksum lines";
  RemoveTree(out);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Golden, testing::ValuesIn(LoadScenarios()),
                         [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

}  // namespace

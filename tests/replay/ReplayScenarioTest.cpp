// Runs every scenario under tests/replay/scenarios through the replay runner
// and compares its transcript with the expected one beside it.
//
// A scenario is NAME.replay with NAME.expected. Comment lines at its top may
// say how to run it:
//   # store: NAME.reg           a store from tests/stores, copied for the run
//   # args: --platform-id 1     more replay options
//   # program-dir: DIR          the program's folder, relative to tests/replay
//   # store-after: unchanged    the store file must be byte-for-byte as before
//   # value-order: creation     the transcript needs values enumerated in the
//                               order they were made, as Windows does; the
//                               run on Wine's registry (by name) skips it
// Scenarios under hive-scenarios run on a Windows installation made from the
// store, and list the hives' folder after the run. There also:
//   # windows: HOW              the installation spoilt or rearranged (as-made, dirty,
//                               truncated, not-a-hive, no-select, mixed-case,
//                               winnt, two-windows, no-windows)
//   # runs: N                   the script runs N times on the installation
// Set ZORVANEL_UPDATE_EXPECTED=1 to write the transcripts as the new
// expectations (then read every changed line before committing it).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "replay/ReplayRunner.h"
#include "tests/replay/ScenarioFiles.h"

namespace zorvanel::replay {
namespace {

namespace fs = std::filesystem;

class ReplayScenario : public ::testing::TestWithParam<fs::path> {};

TEST_P(ReplayScenario, TranscriptMatches) {
  const Scenario scenario = LoadScenario(GetParam());
  const ScenarioRun run = RunScenario(scenario, {});
  const std::string expectedPath = fs::path(GetParam()).replace_extension(".expected").string();
  if (std::getenv("ZORVANEL_UPDATE_EXPECTED")) {
    std::ofstream(expectedPath, std::ios::binary) << run.transcript;
    GTEST_SKIP() << "wrote " << expectedPath;
  }
  EXPECT_EQ(ReadFile(expectedPath), run.transcript);
  if (scenario.storeUnchanged) {
    EXPECT_TRUE(run.storeBefore == run.storeAfter) << "the store file changed";
  }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ReplayScenario, ::testing::ValuesIn(AllScenarioFiles()),
                         [](const auto& param) { return TestName(param.param); });
INSTANTIATE_TEST_SUITE_P(HiveScenarios, ReplayScenario, ::testing::ValuesIn(HiveScenarioFiles()),
                         [](const auto& param) { return TestName(param.param); });

}  // namespace
}  // namespace zorvanel::replay

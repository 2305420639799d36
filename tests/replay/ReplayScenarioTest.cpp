// Runs every scenario under tests/replay/scenarios through the replay runner
// and compares its transcript with the expected one beside it.
//
// A scenario is NAME.replay with NAME.expected. Comment lines at its top may
// say how to run it:
//   # store: NAME.reg           a store from tests/stores, copied for the run
//   # args: --platform-id 1     more replay options
//   # program-dir: DIR          the program's folder, relative to tests/replay
//   # store-after: unchanged    the store file must be byte-for-byte as before
//   # store-after: as-before    every key and value must be as before (the
//                               file itself is rewritten)
//   # value-order: creation     the transcript needs values enumerated in the
//                               order they were made, as Windows does; the
//                               run on Wine's registry (by name) skips it
// Scenarios under hive-scenarios run on a Windows installation made from the
// store, and list the hives' folder after the run. There also:
//   # windows: HOW              the installation spoilt or rearranged (as-made, dirty,
//                               truncated, not-a-hive, no-select, mixed-case,
//                               winnt, two-windows, no-windows, own-ntfs-metadata:
//                               each hive given its own NTFS descriptor and
//                               attributes where the file system has them)
//   # runs: N                   the script runs N times on the installation
//   # hives: SYSTEM SOFTWARE    real hives from ../shared/hive-corpus (names without
//                               .xz, or "made") that the installation starts from,
//                               with the store's keys put in; the changes in each
//                               changed hive are listed as a raw reader sees them
// Set ZORVANEL_UPDATE_EXPECTED=1 to write the transcripts as the new
// expectations (then read every changed line before committing it).
//
// Every scenario runs again on an installation made from its store, with
// ControlSet001 and then ControlSet002 current: the expected transcript but
// for what an offline Windows changes (no restart, so none can fail; the
// "Completion" question closes the program), keys ordered by name as a hive
// orders them.

#include <gtest/gtest.h>

#include "tests/robust/MountedDisk.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "modes/SettingsTexts.h"
#include "platform/services/mdlShutdown.h"
#include "tests/replay/ScenarioFiles.h"
#include "tests/wine/WineTranscript.h"

namespace zorvanel::replay {
namespace {

namespace fs = std::filesystem;

class ReplayScenario : public ::testing::TestWithParam<fs::path> {};

TEST_P(ReplayScenario, TranscriptMatches) {
  const Scenario scenario = LoadScenario(GetParam());
  const ScenarioRun run = RunScenario(scenario, {});
  if (!run.skipped.empty()) GTEST_SKIP() << run.skipped;
  const std::string expectedPath = fs::path(GetParam()).replace_extension(".expected").string();
  if (std::getenv("ZORVANEL_UPDATE_EXPECTED")) {
    std::ofstream(expectedPath, std::ios::binary) << run.transcript;
    GTEST_SKIP() << "wrote " << expectedPath;
  }
  EXPECT_EQ(ReadFile(expectedPath), run.transcript);
  if (scenario.storeUnchanged) {
    EXPECT_TRUE(run.storeBefore == run.storeAfter) << "the store file changed";
  }
  EXPECT_TRUE(!scenario.storeAsBefore || SameMachine(run.storeBefore, run.storeAfter))
      << "the machine is not as before:\n" << run.storeAfter;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ReplayScenario, ::testing::ValuesIn(AllScenarioFiles()),
                         [](const auto& param) { return TestName(param.param); });
INSTANTIATE_TEST_SUITE_P(HiveScenarios, ReplayScenario, ::testing::ValuesIn(HiveScenarioFiles()),
                         [](const auto& param) { return TestName(param.param); });

// The expected transcript as an offline run shows it.
std::string Offline(const std::string& transcript) {
  namespace texts = modes::texts;
  const std::string restartFailure = std::string("box \"") + platform::kRestartFailureTitle +
                                     "\" critical OK \"" + platform::kRestartFailureText + "\"";
  std::istringstream lines(transcript);
  std::string offline;
  for (std::string line; std::getline(lines, line);) {
    if (line == "restart" || line.starts_with(restartFailure)) continue;
    if (auto at = line.find(texts::kRebootQuestion); at != std::string::npos) {
      line.replace(at, texts::kRebootQuestion.size(), texts::kOfflineQuestion);
    }
    offline += line + "\n";
  }
  return offline;
}

class HiveScenario : public ::testing::TestWithParam<std::tuple<fs::path, int, robust::Disk>> {};

TEST_P(HiveScenario, TranscriptMatchesTheStoreRunOffline) {
  const auto& [script, controlSet, kind] = GetParam();
  const robust::MountedDisk disk(kind);
  ZORVANEL_SKIP_UNLESS_MOUNTED(disk);
  const robust::TemporaryFilesOn onDisk(disk.Root());
  const Scenario scenario = LoadScenario(script);
  const ScenarioRun run = RunScenario(scenario, {}, controlSet);
  const std::string expected = ReadFile(fs::path(script).replace_extension(".expected"));
  EXPECT_EQ(wine::CanonicalHiveTranscript(Offline(expected)),
            wine::CanonicalHiveTranscript(run.transcript));
  if (scenario.storeUnchanged || scenario.storeAsBefore) {
    EXPECT_EQ(run.storeBefore, run.storeAfter);
  }
}

const auto kHiveScenarioName = [](const auto& param) {
  const auto& [script, controlSet, disk] = param.param;
  return TestName(script) + "_ControlSet" + std::to_string(controlSet) +
         (disk == robust::Disk::kLocal ? "" : "_on_" + robust::DiskName(disk));
};
INSTANTIATE_TEST_SUITE_P(Hives, HiveScenario,
                         ::testing::Combine(::testing::ValuesIn(AllScenarioFiles()), ::testing::Values(1, 2),
                                            ::testing::Values(robust::Disk::kLocal)),
                         kHiveScenarioName);

// A fixed sample on the file systems Windows lives on: a start, a start
// that replaces old settings, an Apply, a backup and a restore, and an Apply
// on hives with NTFS descriptors and attributes of their own.
std::vector<fs::path> MountSample() {
  std::vector<fs::path> sample;
  for (const char* name : {"scenarios/startup/first-start", "scenarios/startup/other-version-yes",
                           "scenarios/settings/apply-decimal", "scenarios/settings/backup-restore-round-trip",
                           "scenarios/settings/restore-no-video-key", "hive-scenarios/ntfs-metadata-kept"}) {
    sample.push_back(fs::path(ZORVANEL_TEST_DATA) / "replay" / (std::string(name) + ".replay"));
  }
  return sample;
}
INSTANTIATE_TEST_SUITE_P(MountedHives, HiveScenario,
                         ::testing::Combine(::testing::ValuesIn(MountSample()), ::testing::Values(1),
                                            ::testing::Values(robust::Disk::kNtfs, robust::Disk::kFat)),
                         kHiveScenarioName);

}  // namespace
}  // namespace zorvanel::replay

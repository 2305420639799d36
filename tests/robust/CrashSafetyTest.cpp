// Crash safety proven with a real process: a child makes an endless series of
// write-through changes on a store (or hives) and is killed with SIGKILL at random
// moments. After every kill the file must parse and hold exactly the state
// before or after the change that was under way, never a mix or a torn file.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "platform/hive/Installation.h"
#include "platform/store/RegFile.h"
#include "platform/store/StoreFile.h"
#include "platform/store/SubstituteStore.h"
#include "tests/hive/EmptyHive.h"
#include "tests/replay/ScenarioFiles.h"
#include "tests/robust/ChildProcess.h"
#include "tests/robust/TempDirectory.h"
#include "tests/robust/WriteSeries.h"
#include "tests/wine/WineTranscript.h"

namespace zorvanel::robust {
namespace {

namespace fs = std::filesystem;
using store::Key;
using store::SubstituteStore;

// The suite's size; ZORVANEL_CRASH_KILLS=N asks for another (the long run in
// the read-me).
constexpr int kKills = 200;
// Long enough for the child to start and make a few changes, short enough to
// keep the test to a few seconds.
constexpr int kMaxDelayMicroseconds = 30000;

// The last step the child reported as being on disk; `none` when it
// reported nothing before it died.
std::uint64_t LastReportedStep(const std::string& output, std::uint64_t none) {
  const auto end = output.rfind('\n');
  if (end == std::string::npos) return none;
  const auto start = output.rfind('\n', end - 1);
  return std::stoull(output.substr(start == std::string::npos ? 0 : start + 1));
}

// The temporary files of writes cut short, which the next instance removes.
std::set<std::string> InterruptedWrites(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(".zorvanel-")) names.insert(name);
  }
  return names;
}

// Brings the model from state `from` to state `to` of the series.
void Advance(SubstituteStore& model, std::uint64_t from, std::uint64_t to) {
  for (std::uint64_t step = from + 1; step <= to; ++step) {
    ASSERT_TRUE(MakeChange(model, step)) << "change " << step;
  }
}

// Where the child writes: a store file, or a Windows installation's hives.
struct Target {
  std::string label;
  std::vector<std::string> child;  // the child's arguments before the step
  fs::path folder;                 // where temporary files are left
  // What is on disk, in a form that compares with a model's tree.
  std::function<std::string()> onDisk;
  std::function<std::string(const Key&)> form;
};

// ZORVANEL_CRASH_KILLS sets the number of kills (scripts/crash-safety.sh).
void KillRepeatedly(const Target& target, SubstituteStore model) {
  const char* asked = std::getenv("ZORVANEL_CRASH_KILLS");
  const int kills = asked ? std::atoi(asked) : kKills;
  ASSERT_GT(kills, 0) << "ZORVANEL_CRASH_KILLS must be a positive count";
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE(target.label + ", random seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> delay(0, kMaxDelayMicroseconds);

  std::uint64_t onDisk = 0;  // the file holds the series up to this change
  int before = 0, after = 0, interruptedWrites = 0;
  std::set<std::string> leftOver;
  for (int kill = 1; kill <= kills; ++kill) {
    std::vector<std::string> args = target.child;
    args.push_back(std::to_string(onDisk));
    ChildProcess child(args);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    child.Kill(SIGKILL);
    const int status = child.Finish();
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "kill " << kill << ": the child ended by itself, " << DescribeStatus(status) << "\n"
        << child.Errors();

    const std::uint64_t reported = LastReportedStep(child.Output(), onDisk);
    Advance(model, onDisk, reported);
    SubstituteStore next(model.Root());
    ASSERT_TRUE(MakeChange(next, reported + 1));

    const auto temporary = InterruptedWrites(target.folder);  // before a reader tidies up
    interruptedWrites += std::ranges::any_of(temporary, [&](const auto& name) {
      return !leftOver.contains(name);
    });
    leftOver = temporary;

    std::string found;
    try {
      found = target.onDisk();
    } catch (const std::exception& error) {
      FAIL() << "kill " << kill << " left a store that cannot be read: " << error.what();
    }
    if (found == target.form(model.Root())) {
      onDisk = reported;
      ++before;
    } else if (found == target.form(next.Root())) {
      onDisk = reported + 1;
      model = next;
      ++after;
    } else {
      FAIL() << "kill " << kill << " left a store that is neither the state after change "
             << reported << " nor after change " << reported + 1;
    }
  }
  std::cout << target.label << ": " << kills << " kills after " << onDisk << " changes: " << before
            << " found the state before the change under way, " << after
            << " the state after it; " << interruptedWrites
            << " kills cut a write short (its temporary file was left)\n";
}

Key Sample() {
  return store::ParseRegFile(
      replay::ReadFile(fs::path(ZORVANEL_EXAMPLES) / "sample-xp.reg"), "sample-xp.reg");
}

TEST(CrashSafetyTest, EveryKillLeavesTheStateBeforeOrAfterTheInterruptedWrite) {
  const TempDirectory dir("crash");
  const std::string path = (dir / "store.reg").string();
  SubstituteStore model(Sample());
  ASSERT_TRUE(PrepareSeries(model));
  std::ofstream(path, std::ios::binary) << store::FormatRegFile(model.Root());
  KillRepeatedly({"store", {ZORVANEL_STORE_WRITER, path}, dir.Path(),
                  [&] { return store::FormatRegFile(store::ParseRegFile(replay::ReadFile(path), path)); },
                  [](const Key& key) { return store::FormatRegFile(key); }},
                 model);
  store::StoreFile::Open(path);
  EXPECT_TRUE(InterruptedWrites(dir.Path()).empty()) << "opening the store tidies up";
}

// The same on hives: hivex_commit to a temporary file, flushed, renamed.
TEST(CrashSafetyTest, EveryKillLeavesAHiveBeforeOrAfterTheInterruptedCommit) {
  const TempDirectory dir("crash-hive");
  SubstituteStore model(Sample());
  ASSERT_TRUE(PrepareSeries(model));
  ASSERT_TRUE(hive::MakeInstallation(model.Root(), dir.Path(), 1));
  const auto paths = hive::FindInstallation(dir.Path().string());
  auto form = [](const Key& key) { return wine::CanonicalHiveTranscript(store::FormatRegFile(key)); };
  auto onDisk = [&] { return form(hive::Installation::Open(paths)->Registry().Snapshot()); };
  model = SubstituteStore(hive::Installation::Open(paths)->Registry().Snapshot());
  KillRepeatedly({"hives", {ZORVANEL_STORE_WRITER, "--windows", dir.Path().string()},
                  fs::path(paths.system).parent_path(), onDisk, form},
                 model);
  hive::Installation::Open(paths);
  EXPECT_TRUE(InterruptedWrites(fs::path(paths.system).parent_path()).empty())
      << "opening the installation tidies up";
}

}  // namespace
}  // namespace zorvanel::robust

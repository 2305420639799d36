// Crash safety proven with a real process: a child makes an endless series of
// write-through changes on a store (or hives) and is killed with SIGKILL at
// random moments. After every kill the store must read and hold exactly the
// state before or after the change under way, never a mix or a torn file.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
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
#include "tests/robust/MountedDisk.h"
#include "tests/robust/TempDirectory.h"
#include "tests/robust/WriteSeries.h"
#include "tests/wine/WineTranscript.h"

namespace zorvanel::robust {
namespace {

namespace fs = std::filesystem;
using store::Key;
using store::SubstituteStore;

// The temporary files of writes cut short, which the next instance removes.
std::set<std::string> InterruptedWrites(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().filename().string().starts_with(".zorvanel-")) names.insert(entry.path().filename().string());
  }
  return names;
}

// Where the child writes, and what is on disk there in the form that `form`
// gives a model's tree.
struct Target {
  std::string label;
  std::vector<std::string> child;  // its arguments before the last step done
  fs::path folder;                 // where temporary files are left
  std::function<std::string(const Key&)> form;
  std::function<std::string()> onDisk;
};

// 200 kills (or those given), or ZORVANEL_CRASH_KILLS (scripts/crash-safety.sh).
// A kill comes within 30 ms: long enough for the child to start and make a
// few changes.
void KillRepeatedly(const Target& target, SubstituteStore model, int defaultKills = 200) {
  const char* asked = std::getenv("ZORVANEL_CRASH_KILLS");
  const int kills = asked ? std::atoi(asked) : defaultKills;
  ASSERT_GT(kills, 0) << "ZORVANEL_CRASH_KILLS must be a positive count";
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE(target.label + ", random seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> delay(0, 30000);

  std::uint64_t onDisk = 0;  // the store holds the series up to this change
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

    // The last step the child reported as being on disk.
    const std::string& out = child.Output();
    const auto end = out.rfind('\n');
    const std::uint64_t reported =
        end == std::string::npos ? onDisk : std::stoull(out.substr(out.rfind('\n', end - 1) + 1));
    for (std::uint64_t step = onDisk + 1; step <= reported; ++step) {
      ASSERT_TRUE(MakeChange(model, step)) << "change " << step;
    }
    SubstituteStore next(model.Root());
    ASSERT_TRUE(MakeChange(next, reported + 1));

    const auto temporary = InterruptedWrites(target.folder);  // before a reader tidies up
    interruptedWrites += std::ranges::any_of(temporary, [&](const auto& name) { return !leftOver.contains(name); });
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
            << " found the state before the change under way, " << after << " the state after it; "
            << interruptedWrites << " kills cut a write short (its temporary file was left)\n";
}

SubstituteStore SeriesStore() {
  const fs::path sample = fs::path(ZORVANEL_EXAMPLES) / "sample-xp.reg";
  SubstituteStore model(store::ParseRegFile(replay::ReadFile(sample), "sample-xp.reg"));
  EXPECT_TRUE(PrepareSeries(model));
  return model;
}

TEST(CrashSafetyTest, EveryKillLeavesTheStateBeforeOrAfterTheInterruptedWrite) {
  const TempDirectory dir("crash");
  const std::string path = (dir / "store.reg").string();
  const SubstituteStore model = SeriesStore();
  std::ofstream(path, std::ios::binary) << store::FormatRegFile(model.Root());
  const auto form = [](const Key& key) { return store::FormatRegFile(key); };
  KillRepeatedly({"store", {ZORVANEL_STORE_WRITER, path}, dir.Path(), form,
                  [&] { return form(store::ParseRegFile(replay::ReadFile(path), path)); }},
                 model);
  store::StoreFile::Open(path);
  EXPECT_TRUE(InterruptedWrites(dir.Path()).empty()) << "opening the store tidies up";
}

// The same on hives: hivex_commit to a temporary file, flushed, renamed; on
// local disk, and 150 kills each on NTFS through ntfs-3g and FUSE FAT32.
class CrashSafetyOnHives : public ::testing::TestWithParam<Disk> {};

TEST_P(CrashSafetyOnHives, EveryKillLeavesAHiveBeforeOrAfterTheInterruptedCommit) {
  const MountedDisk disk(GetParam());
  ZORVANEL_SKIP_UNLESS_MOUNTED(disk);
  const TemporaryFilesOn temporaryFiles(disk.Root());
  const TempDirectory dir("crash-hive");
  ASSERT_TRUE(hive::MakeInstallation(SeriesStore().Root(), dir.Path(), 1));
  const auto paths = hive::FindInstallation(dir.Path().string());
  const fs::path config = fs::path(paths.system).parent_path();
  const auto form = [](const Key& key) { return wine::CanonicalHiveTranscript(store::FormatRegFile(key)); };
  const auto onDisk = [&] { return hive::Installation::Open(paths)->Registry().Snapshot(); };
  KillRepeatedly({"hives", {ZORVANEL_STORE_WRITER, "--windows", dir.Path().string()}, config, form,
                  [&] { return form(onDisk()); }},
                 SubstituteStore(onDisk()), GetParam() == Disk::kLocal ? 200 : 150);
  hive::Installation::Open(paths);
  EXPECT_TRUE(InterruptedWrites(config).empty()) << "opening the installation tidies up";
}

INSTANTIATE_TEST_SUITE_P(Disks, CrashSafetyOnHives, ::testing::Values(Disk::kLocal, Disk::kNtfs, Disk::kFat),
                         [](const auto& disk) { return DiskName(disk.param); });

}  // namespace
}  // namespace zorvanel::robust

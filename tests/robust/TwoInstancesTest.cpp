// Two real program instances on one store (or one Windows installation):
// while the first holds it, the second is refused with a clear message and
// a non-zero exit status, and the store stays as it was.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>

#include "platform/store/RegFile.h"
#include "tests/hive/EmptyHive.h"
#include "tests/replay/ScenarioFiles.h"
#include "tests/robust/ChildProcess.h"
#include "tests/robust/MountedDisk.h"
#include "tests/robust/TempDirectory.h"

namespace zorvanel::robust {
namespace {

namespace fs = std::filesystem;

// A program that can hold a store: the replay runner, which runs a script
// from its standard input, or the desktop program where it is built
// (ZORVANEL_DESKTOP is empty otherwise), which runs without a screen and
// waits at its version question.
struct Program {
  const char* label;
  const char* executable;
  bool readsScript;

  std::unique_ptr<ChildProcess> Start(std::vector<std::string> args) const {
    args.insert(args.begin(), executable);
    if (readsScript) args.push_back("-");
    return std::make_unique<ChildProcess>(args);
  }
};
void PrintTo(const Program& program, std::ostream* out) { *out << program.label; }

const Program kReplay{"replay", ZORVANEL_REPLAY, true};
const Program kDesktop{"desktop", ZORVANEL_DESKTOP, false};

// Whether the process holds a flock, as the kernel lists it: the store's
// lock is the only one the programs take.
bool HoldsLock(pid_t pid) {
  std::istringstream locks(replay::ReadFile("/proc/locks"));
  for (std::string line; std::getline(locks, line);) {
    std::istringstream fields(line);
    std::string number, kind, mode, access, holder;
    fields >> number >> kind >> mode >> access >> holder;
    if (kind == "FLOCK" && holder == std::to_string(pid)) return true;
  }
  return false;
}

// Two programs, on a store (false) or a Windows installation's hives (true).
class TwoInstancesTest : public ::testing::TestWithParam<std::tuple<Program, Program, bool>> {};

TEST_P(TwoInstancesTest, SecondIsRefusedAndTheStoreIsUnchanged) {
  const auto& [first, second, hives] = GetParam();
  if (!*first.executable || !*second.executable) GTEST_SKIP() << "the desktop program is not built";
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);  // no screen
  const TempDirectory dir("two");
  // An older product key: either program's start asks the version question
  // before it writes anything, and answered Yes it rewrites the product key.
  const std::string store = replay::ReadFile(fs::path(ZORVANEL_TEST_DATA) / "stores" / "product-old-no-backup.reg");
  std::ofstream(dir / "registry.reg", std::ios::binary) << store;
  ASSERT_TRUE(hive::MakeInstallation(store::ParseRegFile(store, "store"), dir / "windows", 1));
  const fs::path config = dir / "windows" / "WINDOWS" / "system32" / "config";
  const std::vector<std::string> target = {hives ? "--windows" : "--store",
                                           (dir / (hives ? "windows" : "registry.reg")).string()};
  const auto contents = [&] {
    return hives ? replay::ReadFile(config / "system") + replay::ReadFile(config / "software") +
                       std::to_string(std::distance(fs::directory_iterator(config), {}))
                 : replay::ReadFile(dir / "registry.reg");
  };
  const std::string unchanged = contents();

  auto holder = first.Start(target);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!HoldsLock(holder->Pid())) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the first instance never took the store";
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }

  // The second would rewrite the product key at its start, were it let in.
  auto intruder = second.Start(target);
  intruder->Input("answer Yes\nstart\ndump\n");
  const int status = intruder->Finish();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << DescribeStatus(status);
  EXPECT_EQ(intruder->Errors(), std::string(second.readsScript ? "zorvanel-replay: " : "zorvanel: ") +
                                    (hives ? "The registry file " + (config / "system").string()
                                           : "The store " + target[1]) +
                                    " is in use by another Zorvanel instance.\n");
  EXPECT_EQ(intruder->Output(), "");
  EXPECT_EQ(contents(), unchanged);

  // The first goes on undisturbed as its user would (the replay runner says
  // Yes and starts, the desktop program is ended), and the store is free
  // once it has gone.
  if (first.readsScript) {
    holder->Input("answer Yes\nstart\n");
    EXPECT_EQ(DescribeStatus(holder->Finish()), "exit 0") << holder->Errors();
    EXPECT_NE(contents(), unchanged) << "the first instance could not write";
  } else {
    holder->Kill(SIGTERM);
    holder->Finish();
  }
  auto after = kReplay.Start(target);
  after->Input("answer Yes\nstart\n");
  EXPECT_EQ(DescribeStatus(after->Finish()), "exit 0") << after->Errors();
}

INSTANTIATE_TEST_SUITE_P(Programs, TwoInstancesTest,
                         ::testing::Values(std::tuple{kReplay, kReplay, false}, std::tuple{kReplay, kDesktop, false},
                                           std::tuple{kDesktop, kReplay, false}, std::tuple{kReplay, kReplay, true},
                                           std::tuple{kReplay, kDesktop, true}, std::tuple{kDesktop, kReplay, true}),
                         [](const auto& programs) {
                           return std::string(std::get<0>(programs.param).label) + "_then_" +
                                  std::get<1>(programs.param).label + (std::get<2>(programs.param) ? "_on_hives" : "");
                         });

// One lock that every instance meets, on every disk: the second is refused
// whether it runs in the same environment, with its own XDG_RUNTIME_DIR, or
// as another user (through setpriv; the installation is readable by all).
class EveryInstanceMeetsTheLock : public ::testing::TestWithParam<Disk> {};

TEST_P(EveryInstanceMeetsTheLock, SecondIsRefusedWhateverItsUserOrEnvironment) {
  const MountedDisk disk(GetParam());
  ZORVANEL_SKIP_UNLESS_MOUNTED(disk);
  const fs::path partition = disk.Root() / "partition";
  const std::string store = replay::ReadFile(fs::path(ZORVANEL_TEST_DATA) / "stores" / "product-old-no-backup.reg");
  ASSERT_TRUE(hive::MakeInstallation(store::ParseRegFile(store, "store"), partition, 1));
  for (fs::path folder = partition; folder != disk.Root().parent_path().parent_path(); folder = folder.parent_path()) {
    std::error_code unsupported;  // FAT has no modes: every user may read there
    fs::permissions(folder, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add, unsupported);
  }
  auto holder = kReplay.Start({"--windows", partition.string()});
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!HoldsLock(holder->Pid())) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the first instance never took the installation";
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  // The other user runs a copy of the runner, for the build folder may lie
  // where that user cannot enter (a checkout under /root).
  const uid_t nobody = 65534;
  const TempDirectory runnerPlace("runner");
  const std::string othersRunner = CopyTheUserCanRun(nobody, ZORVANEL_REPLAY, runnerPlace.Path());
  const std::vector<std::string> target = {"--windows", partition.string(), "-"};
  std::vector<std::pair<std::string, std::vector<std::string>>> intruders = {
      {"same environment", {ZORVANEL_REPLAY}},
      {"own XDG_RUNTIME_DIR", {"/usr/bin/env", "XDG_RUNTIME_DIR=" + disk.Root().string(), ZORVANEL_REPLAY}},
  };
  if (::geteuid() != 0 || othersRunner.empty()) {
    std::cout << "[ SKIPPED ] the other user's instance: not root, or user " << nobody << " cannot reach "
              << runnerPlace.Path() << " (set TEST_TMPDIR or TMPDIR to a folder every user can enter)\n";
  } else {
    intruders.push_back({"another user", AsUser(nobody, {othersRunner})});
  }
  for (const auto& [label, program] : intruders) {
    SCOPED_TRACE(label);
    std::vector<std::string> args = program;
    args.insert(args.end(), target.begin(), target.end());
    ChildProcess intruder(args);
    intruder.Input("answer Yes\nstart\n");
    const int status = intruder.Finish();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << DescribeStatus(status);
    EXPECT_NE(intruder.Errors().find("is in use by another Zorvanel instance."), std::string::npos) << intruder.Errors();
  }
  holder->Input("answer Yes\nstart\n");
  EXPECT_EQ(DescribeStatus(holder->Finish()), "exit 0") << holder->Errors();
}

INSTANTIATE_TEST_SUITE_P(Disks, EveryInstanceMeetsTheLock, ::testing::Values(Disk::kLocal, Disk::kNtfs, Disk::kFat),
                         [](const auto& disk) { return DiskName(disk.param); });

}  // namespace
}  // namespace zorvanel::robust

// Two real program instances on one store: while the first holds it, the
// second is refused with a clear message and a non-zero exit status, and the
// store stays as it was.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "platform/store/RegFile.h"
#include "tests/hive/EmptyHive.h"
#include "tests/replay/ScenarioFiles.h"
#include "tests/robust/ChildProcess.h"
#include "tests/robust/TempDirectory.h"

namespace zorvanel::robust {
namespace {

namespace fs = std::filesystem;

// An older product key: either program's start asks the version question
// before it writes anything, and answered Yes it rewrites the product key.
constexpr const char* kStore = "product-old-no-backup.reg";

// A program that can hold a store: the replay runner, which runs a script
// from its standard input, or the desktop program where it is built
// (ZORVANEL_DESKTOP is empty otherwise), which runs without a screen and
// waits at its version question.
struct Program {
  const char* label;
  const char* executable;
  const char* messagePrefix;
  bool readsScript;

  // target: "--store FILE" or "--windows DIR".
  std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& target) const {
    std::vector<std::string> argv{executable};
    argv.insert(argv.end(), target.begin(), target.end());
    if (readsScript) argv.push_back("-");
    return std::make_unique<ChildProcess>(argv);
  }
  // Lets a holding instance go on as its user would: the replay runner says
  // Yes and starts, the desktop program is ended. Its exit status.
  std::string Finish(ChildProcess& child) const {
    if (readsScript) {
      child.WriteInput("answer Yes\nstart\n");
      child.CloseInput();
    } else {
      child.Kill(SIGTERM);
    }
    return DescribeStatus(child.Finish());
  }
};
void PrintTo(const Program& program, std::ostream* out) { *out << program.label; }

const Program kReplay{"replay", ZORVANEL_REPLAY, "zorvanel-replay: ", true};
const Program kDesktop{"desktop", ZORVANEL_DESKTOP, "zorvanel: ", false};

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

bool WaitForLock(pid_t pid) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    if (HoldsLock(pid)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

// Two programs, on a store (false) or a Windows installation's hives (true).
class TwoInstancesTest : public ::testing::TestWithParam<std::tuple<Program, Program, bool>> {
 protected:
  void SetUp() override { ::setenv("QT_QPA_PLATFORM", "offscreen", 1); }  // no screen
  TempDirectory dir_{"two"};
};

TEST_P(TwoInstancesTest, SecondIsRefusedAndTheStoreIsUnchanged) {
  const auto& [first, second, hives] = GetParam();
  if (std::string(first.executable).empty() || std::string(second.executable).empty()) {
    GTEST_SKIP() << "the desktop program is not built";
  }
  const fs::path store = dir_ / "registry.reg";
  const std::string before = replay::ReadFile(fs::path(ZORVANEL_TEST_DATA) / "stores" / kStore);
  std::ofstream(store, std::ios::binary) << before;
  ASSERT_TRUE(hive::MakeInstallation(store::ParseRegFile(before, kStore), dir_ / "windows", 1));
  const fs::path config = dir_ / "windows" / "WINDOWS" / "system32" / "config";
  const std::vector<std::string> target =
      hives ? std::vector<std::string>{"--windows", (dir_ / "windows").string()}
            : std::vector<std::string>{"--store", store.string()};
  const auto contents = [&] {
    return hives ? replay::ReadFile(config / "system") + replay::ReadFile(config / "software") +
                       std::to_string(std::distance(fs::directory_iterator(config), {}))
                 : replay::ReadFile(store);
  };
  const std::string unchanged = contents();

  auto holder = first.Start(target);
  ASSERT_TRUE(WaitForLock(holder->Pid())) << "the first instance never took the store";

  // The second would rewrite the product key at its start, were it let in.
  auto intruder = second.Start(target);
  intruder->WriteInput("answer Yes\nstart\ndump\n");
  intruder->CloseInput();
  const int status = intruder->Finish();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << DescribeStatus(status);
  EXPECT_EQ(intruder->Errors(),
            std::string(second.messagePrefix) +
                (hives ? "The registry file " + (config / "system").string()
                       : "The store " + store.string()) +
                " is in use by another Zorvanel instance.\n");
  EXPECT_EQ(intruder->Output(), "");
  EXPECT_EQ(contents(), unchanged);

  // The first goes on undisturbed, and the store is free once it has gone.
  const std::string firstStatus = first.Finish(*holder);
  if (first.readsScript) {
    EXPECT_EQ(firstStatus, "exit 0") << holder->Errors();
    EXPECT_NE(contents(), unchanged) << "the first instance could not write";
  }
  auto after = kReplay.Start(target);
  EXPECT_EQ(kReplay.Finish(*after), "exit 0") << after->Errors();
}

INSTANTIATE_TEST_SUITE_P(Programs, TwoInstancesTest,
                         ::testing::Values(std::tuple{kReplay, kReplay, false},
                                           std::tuple{kReplay, kDesktop, false},
                                           std::tuple{kDesktop, kReplay, false},
                                           std::tuple{kReplay, kReplay, true},
                                           std::tuple{kReplay, kDesktop, true},
                                           std::tuple{kDesktop, kReplay, true}),
                         [](const auto& programs) {
                           return std::string(std::get<0>(programs.param).label) + "_then_" +
                                  std::get<1>(programs.param).label +
                                  (std::get<2>(programs.param) ? "_on_hives" : "");
                         });

}  // namespace
}  // namespace zorvanel::robust

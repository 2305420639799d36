// The program on a Windows installation on NTFS through ntfs-3g, as Linux
// mounts the disk Windows lives on, with a 30 MB system hive and a 20 MB
// software hive: opening it with detection and the main window, a backup and
// an Apply, each in a session of its own (so each keeps the session's
// .zorvanel-before), and the copies a first change makes timed on their
// own. Goals: start 0.3 s, backup 1 s, Apply 1 s.
//
// The installation is made once in the temporary folder
// (zorvanel-mounted-bench-installation, left there for measuring another
// build by hand), opened by the program once, as by a user who has run it
// before, and copied onto a fresh 640 MB ntfs-3g image for each benchmark.
// Run as root (ntfs-3g mounts an image file only for root):
//   cmake --build --preset release --target zorvanel_mounted_hive_bench
//   build/release/benchmarks/zorvanel_mounted_hive_bench

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "app/WindowNames.h"
#include "platform/headless/HeadlessProgram.h"
#include "platform/hive/Installation.h"
#include "platform/store/FileSafety.h"
#include "platform/store/RegFile.h"
#include "tests/hive/EmptyHive.h"
#include "tests/hive/FillerKeys.h"
#include "tests/robust/MountedDisk.h"

namespace zorvanel {
namespace {

namespace fs = std::filesystem;
using robust::Disk;
using robust::MountedDisk;

// The installation on the local disk, made once.
const fs::path& Pristine() {
  static const fs::path dir = [] {
    const fs::path made = fs::temp_directory_path() / "zorvanel-mounted-bench-installation";
    const fs::path config = made / "WINDOWS" / "system32" / "config";
    if (fs::exists(config / "software")) return made;
    fs::remove_all(made);
    std::ifstream sample(fs::path(ZORVANEL_EXAMPLES) / "sample-xp.reg", std::ios::binary);
    std::stringstream bytes;
    bytes << sample.rdbuf();
    hive::MakeInstallation(store::ParseRegFile(bytes.str(), "sample-xp.reg"), made, 1);
    hive::AddFillerKeys(config / "system", {"ControlSet001", "Enum"}, 1850);  // 30 MB
    hive::AddFillerKeys(config / "software", {"Classes"}, 1400);  // 20 MB
    // Zorvanel has run here before: its first start stores its settings and
    // keeps the hives' .zorvanel-original, which no later session makes.
    auto installation = hive::Installation::Open(hive::FindInstallation(made.string()));
    std::ostringstream out;
    headless::HeadlessProgram(out, installation->Registry(), headless::HeadlessOptions{.offline = true})
        .toolkit()
        .Start(app::kMainframe);
    return made;
  }();
  return dir;
}

// A fresh ntfs-3g disk holding the installation, or the reason there is none.
std::unique_ptr<MountedDisk> DiskWithInstallation(benchmark::State& state) {
  auto disk = std::make_unique<MountedDisk>(Disk::kNtfs, 640u << 20);
  if (!disk->Unusable().empty()) {
    state.SkipWithError(disk->Unusable().c_str());
    return nullptr;
  }
  fs::copy(Pristine(), disk->Root(), fs::copy_options::recursive);
  ::sync();  // the copy on disk, so that no timed fsync writes it
  const auto paths = hive::FindInstallation(disk->Root().string());
  state.counters["system MB"] = static_cast<double>(fs::file_size(paths.system)) / 1e6;
  state.counters["software MB"] = static_cast<double>(fs::file_size(paths.software)) / 1e6;
  return disk;
}

// One session on the disk: the program opened and started, then `step`
// (timed, with the opening when `timeOpening`), then the session's end.
void Session(benchmark::State& state, const MountedDisk& disk, bool timeOpening,
             const std::function<void(headless::HeadlessToolkit&)>& prepare,
             const std::function<void(headless::HeadlessToolkit&)>& step) {
  if (!timeOpening) state.PauseTiming();
  auto installation = hive::Installation::Open(hive::FindInstallation(disk.Root().string()));
  std::ostringstream out;
  auto program = std::make_unique<headless::HeadlessProgram>(out, installation->Registry(),
                                                             headless::HeadlessOptions{.offline = true});
  program->toolkit().Start(app::kMainframe);
  if (timeOpening) state.PauseTiming();
  prepare(program->toolkit());
  state.ResumeTiming();
  step(program->toolkit());
  state.PauseTiming();
  program.reset();
  installation.reset();
  state.ResumeTiming();
  if (out.str().find("\"Error\"") != std::string::npos) state.SkipWithError("a registry error box");
}

void OpenAndDetect(benchmark::State& state) {
  const auto disk = DiskWithInstallation(state);
  if (!disk) return;
  for (auto _ : state) Session(state, *disk, true, [](auto&) {}, [](auto&) {});
}
BENCHMARK(OpenAndDetect)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void Backup(benchmark::State& state) {
  const auto disk = DiskWithInstallation(state);
  if (!disk) return;
  for (auto _ : state) {
    Session(state, *disk, false,
            [](headless::HeadlessToolkit& toolkit) {
              toolkit.SelectTab("tbsMain", 3);
              toolkit.QueueAnswer(ui::Answer::Yes);  // "Make backup"
            },
            [](headless::HeadlessToolkit& toolkit) { toolkit.Click("cmdBackup"); });
  }
}
BENCHMARK(Backup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void Apply(benchmark::State& state) {
  const auto disk = DiskWithInstallation(state);
  if (!disk) return;
  const auto paths = hive::FindInstallation(disk->Root().string());
  const fs::path config = Pristine() / "WINDOWS" / "system32" / "config";
  for (auto _ : state) {
    // Each Apply on the hives as they were, so that none meets the last one's
    // unconfirmed rates.
    state.PauseTiming();
    fs::copy_file(config / "system", paths.system, fs::copy_options::overwrite_existing);
    fs::copy_file(config / "software", paths.software, fs::copy_options::overwrite_existing);
    ::sync();
    state.ResumeTiming();
    Session(state, *disk, false,
            [](headless::HeadlessToolkit& toolkit) {
              toolkit.SelectTab("tbsMain", 3);
              toolkit.Select("cmb640x480", "85");
              toolkit.Select("cmb1024x768", "75");
              toolkit.QueueAnswer(ui::Answer::Yes);  // "The final frontier"
              toolkit.QueueAnswer(ui::Answer::No);   // "Completion": stay
            },
            [](headless::HeadlessToolkit& toolkit) { toolkit.Click("cmdApply"); });
  }
}
BENCHMARK(Apply)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The copies a session's first change may make of both hives, as HiveFile
// makes them: each hive read whole, then written beside it as a new file
// (.zorvanel-original, once for ever) or in place of the last one
// (.zorvanel-before, each session, but only where there are no hard links:
// on NTFS the replaced hive itself becomes .zorvanel-before, and Apply and
// Backup above include that).
void FirstChangeCopies(benchmark::State& state, bool original) {
  const auto disk = DiskWithInstallation(state);
  if (!disk) return;
  const auto paths = hive::FindInstallation(disk->Root().string());
  for (auto _ : state) {
    for (const auto& hive : {paths.system, paths.software}) {
      const std::string copy = hive + (original ? hive::kOriginalSuffix : hive::kBeforeSuffix);
      if (original) {  // it is made only where there is none
        state.PauseTiming();
        fs::remove(copy);
        state.ResumeTiming();
      }
      std::string bytes;
      bool missing = false;
      auto failure = files::ReadAtMost(hive, 512u << 20, bytes, &missing);
      if (!failure) failure = original ? files::CreateWhole(copy, bytes) : files::ReplaceAtomically(copy, bytes);
      if (failure) return state.SkipWithError(failure->Text().c_str());
    }
  }
}
BENCHMARK_CAPTURE(FirstChangeCopies, original, true)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK_CAPTURE(FirstChangeCopies, before_without_hard_links, false)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
}  // namespace zorvanel

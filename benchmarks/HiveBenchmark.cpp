// The program on a real-sized Windows installation: a system hive of about
// 10 MB (the sample machine's keys among 1,000 filler keys of 80 values),
// opened from disk with detection and the main window; and a whole backup
// and Apply, each change committed to the hive file (written, flushed,
// renamed). The installation is made once, in the temporary folder. And the
// whole check that a hive passes before its first change, on the real
// Windows 7 system hive (11 MB) beside the repository.

#include <benchmark/benchmark.h>
#include <hivex.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/WindowNames.h"
#include "platform/headless/HeadlessProgram.h"
#include "platform/hive/HiveCheck.h"
#include "platform/hive/Installation.h"
#include "platform/store/RegFile.h"
#include "replay/HiveReplay.h"
#include "tests/hive/EmptyHive.h"
#include "tests/hive/FillerKeys.h"

namespace zorvanel {
namespace {

namespace fs = std::filesystem;

const fs::path& Installation() {
  static const fs::path dir = [] {
    const fs::path made = fs::temp_directory_path() / "zorvanel-bench-windows";
    fs::remove_all(made);
    std::ifstream sample(fs::path(ZORVANEL_EXAMPLES) / "sample-xp.reg", std::ios::binary);
    std::stringstream bytes;
    bytes << sample.rdbuf();
    hive::MakeInstallation(store::ParseRegFile(bytes.str(), "sample-xp.reg"), made, 1);
    hive::AddFillerKeys(made / "WINDOWS" / "system32" / "config" / "system", {"ControlSet001", "Enum"}, 1000);
    return made;
  }();
  return dir;
}

void OpenAndDetect(benchmark::State& state) {
  const auto paths = hive::FindInstallation(Installation().string());
  state.counters["system MB"] = static_cast<double>(fs::file_size(paths.system)) / 1e6;
  for (auto _ : state) {
    auto installation = hive::Installation::Open(paths);
    std::ostringstream out;
    headless::HeadlessProgram program(out, installation->Registry(), {.offline = true});
    program.toolkit().Start(app::kMainframe);
    benchmark::DoNotOptimize(out.str());
  }
}
BENCHMARK(OpenAndDetect)->Unit(benchmark::kMillisecond);

void BackupAndApply(benchmark::State& state) {
  const std::string script =
      "start\ntab 3\nanswer Yes OK\nclick cmdBackup\nselect cmb640x480 85\n"
      "select cmb1024x768 75\nanswer Yes No\nclick cmdApply\n";
  int changes = 0;
  for (auto _ : state) {
    std::istringstream in(script);
    std::ostringstream out, err;
    replay::HiveReplayMain({"--windows", Installation().string(), "-"}, in, out, err);
    changes += 1;
    benchmark::DoNotOptimize(out.str());
  }
  state.counters["runs"] = changes;
}
BENCHMARK(BackupAndApply)->Unit(benchmark::kMillisecond);

void WholeCheckOfWindows7System(benchmark::State& state) {
  const fs::path packed = fs::path(ZORVANEL_HIVE_CORPUS) / "regipy-SYSTEM.xz";
  std::string hive;
  if (FILE* pipe = fs::exists(packed) ? ::popen(("xz -dc '" + packed.string() + "'").c_str(), "r") : nullptr) {
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) hive.append(buffer, n);
    ::pclose(pipe);
  }
  if (hive.empty()) {
    state.SkipWithError(("no hive at " + packed.string()).c_str());
    return;
  }
  state.counters["hive MB"] = static_cast<double>(hive.size()) / 1e6;
  for (auto _ : state) benchmark::DoNotOptimize(hive::CheckWholeHive(hive));
}
BENCHMARK(WholeCheckOfWindows7System)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zorvanel

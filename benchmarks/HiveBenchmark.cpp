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

namespace zorvanel {
namespace {

namespace fs = std::filesystem;

// Filler keys under ControlSet001\Enum, as the device tree fills a real hive.
void Fill(const fs::path& system) {
  hive_h* hive = hivex_open(system.c_str(), HIVEX_OPEN_WRITE);
  const hive_node_h controlSet = hivex_node_get_child(hive, hivex_root(hive), "ControlSet001");
  hive_node_h enumKey = hivex_node_get_child(hive, controlSet, "Enum");
  if (!enumKey) enumKey = hivex_node_add_child(hive, controlSet, "Enum");
  std::string text(40, 'x');
  std::vector<std::string> names;
  for (int v = 0; v < 80; ++v) names.push_back("Value" + std::to_string(v));
  for (int k = 0; k < 1000; ++k) {
    const hive_node_h key = hivex_node_add_child(hive, enumKey, ("Filler" + std::to_string(k)).c_str());
    std::vector<hive_set_value> values;
    for (auto& name : names) values.push_back({name.data(), hive_t_REG_SZ, text.size(), text.data()});
    hivex_node_set_values(hive, key, values.size(), values.data(), 0);
  }
  hivex_commit(hive, nullptr, 0);
  hivex_close(hive);
}

const fs::path& Installation() {
  static const fs::path dir = [] {
    const fs::path made = fs::temp_directory_path() / "zorvanel-bench-windows";
    fs::remove_all(made);
    std::ifstream sample(fs::path(ZORVANEL_EXAMPLES) / "sample-xp.reg", std::ios::binary);
    std::stringstream bytes;
    bytes << sample.rdbuf();
    hive::MakeInstallation(store::ParseRegFile(bytes.str(), "sample-xp.reg"), made, 1);
    Fill(made / "WINDOWS" / "system32" / "config" / "system");
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

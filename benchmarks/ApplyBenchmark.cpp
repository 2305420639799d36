// The main job's registry work on a large machine: 64 device keys and a
// video key of 40 values each, in the in-memory substitute store. Prints
// operations per second ("ops"), for comparison between changes.

#include <benchmark/benchmark.h>

#include <string>

#include "modes/Apply.h"
#include "modes/BackupRestore.h"
#include "tests/support/MainframeHarness.h"

namespace zorvanel {
namespace {

constexpr int kDeviceKeys = 64;
constexpr int kModeValuesPerKey = 5;  // NV_Modes and four _Modes_Delta values
constexpr int kValuesPerKey = 40;

constexpr const char* kServiceKey = "SYSTEM\\CurrentControlSet\\Services\\nv";
constexpr const char* kVideoKey =
    "SYSTEM\\CurrentControlSet\\Control\\Video\\{23A77BF7-ED96-40EC-AF06-9B1F4867732A}\\0000";

// One driver key: its mode values, then other texts and numbers.
std::string DriverKeyLines(const std::string& path) {
  std::string lines = "\n[HKEY_LOCAL_MACHINE\\" + path + "]\n";
  lines += "\"NV_Modes\"=\"{*}S 640x480 800x600 1024x768 1280x1024=1FFF;\"\n";
  for (int m = 0; m < kModeValuesPerKey - 1; ++m) {
    lines += "\"Monitor" + std::to_string(m) + "_Modes_Delta\"=\"{*}S 1600x1200=1FFF;\"\n";
  }
  for (int v = kModeValuesPerKey; v < kValuesPerKey; ++v) {
    lines += "\"Setting" + std::to_string(v) + "\"=" +
             (v % 2 ? "dword:00000020\n" : "\"some driver text\"\n");
  }
  return lines;
}

std::string LargeMachine() {
  std::string reg = "REGEDIT4\n";
  reg += "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel]\n\"Version\"=\"2.21f E\"\n";
  reg += "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel\\Backup]\n";
  reg += "\n[HKEY_LOCAL_MACHINE\\" + std::string(kServiceKey) + "]\n";
  for (int n = 0; n < kDeviceKeys; ++n) {
    reg += DriverKeyLines(std::string(kServiceKey) + "\\Device" + std::to_string(n));
  }
  reg += DriverKeyLines(kVideoKey);
  return reg;
}

// The window after start-up, with the driver as detection finds it on a
// 45.23 driver.
app::frmMainframe& StartOn(testing::MainframeHarness& harness) {
  app::frmMainframe& window = harness.Start();
  window.fields = {kServiceKey, kVideoKey, true, true, true};
  harness.TakeTranscript();
  return window;
}

void CountOperations(benchmark::State& state) {
  state.counters["ops"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                             benchmark::Counter::kIsRate);
}

// Apply with four rates chosen: the table written over 325 mode values.
void WholeApply(benchmark::State& state) {
  testing::MainframeHarness harness(LargeMachine());
  app::frmMainframe& window = StartOn(harness);
  for (const char* box : {"cmb640x480", "cmb800x600", "cmb1024x768", "cmb1280x1024"}) {
    window.form().ShowItem(box, "85");
  }
  for (auto _ : state) {
    harness.Answer({ui::Answer::Yes, ui::Answer::No});  // final confirmation, no restart
    modes::cmdApply_Click(window);
    benchmark::DoNotOptimize(harness.TakeTranscript());
  }
  CountOperations(state);
}
BENCHMARK(WholeApply)->Unit(benchmark::kMillisecond);

// A backup of device key 0, then its restore into 64 device keys and the
// video key.
void BackupThenRestore(benchmark::State& state) {
  testing::MainframeHarness harness(LargeMachine());
  app::frmMainframe& window = StartOn(harness);
  for (auto _ : state) {
    harness.Answer({ui::Answer::Yes, ui::Answer::OK, ui::Answer::Yes, ui::Answer::No});
    modes::cmdBackup_Click(window);
    modes::cmdRestore_Click(window);
    benchmark::DoNotOptimize(harness.TakeTranscript());
  }
  CountOperations(state);
}
BENCHMARK(BackupThenRestore)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zorvanel

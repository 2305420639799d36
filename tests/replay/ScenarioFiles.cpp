#include "tests/replay/ScenarioFiles.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/hive/Installation.h"
#include "platform/store/RegFile.h"
#include "replay/HiveReplay.h"
#include "replay/ReplayRunner.h"
#include "tests/hive/EmptyHive.h"

namespace zorvanel::replay {

namespace fs = std::filesystem;

namespace {

const fs::path kReplayDir = fs::path(ZORVANEL_TEST_DATA) / "replay";
const fs::path kStoreDir = fs::path(ZORVANEL_TEST_DATA) / "stores";

fs::path FreshDirectory(const std::string& name) {
  static int counter = 0;
  fs::path dir = fs::temp_directory_path() /
                 ("zorvanel-scenario-" + std::to_string(std::random_device{}()) + "-" +
                  std::to_string(++counter) + "-" + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

std::string InstallationDump(const fs::path& partition) {
  auto installation = hive::Installation::Open(hive::FindInstallation(partition.string()));
  return store::FormatRegFile(installation->Registry().Snapshot());
}

// The installation made from the scenario's store; its path.
fs::path MakeInstallation(const Scenario& scenario, const fs::path& work, int controlSet) {
  const fs::path partition = work / "partition";
  const store::Key content =
      scenario.store.empty()
          ? store::Key{"HKEY_LOCAL_MACHINE", {}, {}}
          : store::ParseRegFile(ReadFile(kStoreDir / scenario.store), scenario.store);
  if (!hive::MakeInstallation(content, partition, controlSet)) {
    throw std::runtime_error("cannot make an installation of " + scenario.store);
  }
  return partition;
}

}  // namespace

std::vector<std::string> Words(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::vector<fs::path> AllScenarioFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(kReplayDir / "scenarios")) {
    if (entry.path().extension() == ".replay") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string TestName(const fs::path& script) {
  std::string name = script.stem().string();
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
  return name;
}

Scenario LoadScenario(const fs::path& script) {
  Scenario scenario{script, "", {}, "", false};
  std::istringstream lines(ReadFile(script));
  for (std::string line; std::getline(lines, line) && line.starts_with("#");) {
    auto directive = [&](std::string_view key) -> std::optional<std::string> {
      const std::string prefix = "# " + std::string(key) + ":";
      if (!line.starts_with(prefix)) return std::nullopt;
      auto words = Words(line.substr(prefix.size()));
      std::string joined;
      for (const auto& word : words) joined += (joined.empty() ? "" : " ") + word;
      return joined;
    };
    if (auto store = directive("store")) scenario.store = *store;
    if (auto args = directive("args")) scenario.args = Words(*args);
    if (auto dir = directive("program-dir")) scenario.programDir = *dir;
    if (auto after = directive("store-after")) scenario.storeUnchanged = *after == "unchanged";
  }
  return scenario;
}

ScenarioRun RunScenario(const Scenario& scenario, const std::vector<std::string>& extraArgs,
                        int controlSet) {
  ScenarioRun run;
  std::vector<std::string> args = scenario.args;
  const fs::path work = FreshDirectory(TestName(scenario.script));
  const fs::path storeCopy = work / "registry.reg";
  fs::path partition;
  if (controlSet) {
    partition = MakeInstallation(scenario, work, controlSet);
    run.storeBefore = InstallationDump(partition);
    args.insert(args.end(), {"--windows", partition.string()});
  } else if (!scenario.store.empty()) {
    fs::copy_file(kStoreDir / scenario.store, storeCopy);
    run.storeBefore = ReadFile(storeCopy);
    args.insert(args.end(), {"--store", storeCopy.string()});
  }
  if (!scenario.programDir.empty()) {
    args.insert(args.end(), {"--program-dir", (kReplayDir / scenario.programDir).string()});
  }
  args.insert(args.end(), extraArgs.begin(), extraArgs.end());
  args.push_back("-");
  std::istringstream script(ReadFile(scenario.script));
  std::ostringstream out, err;
  const int status =
      controlSet ? HiveReplayMain(args, script, out, err) : ReplayMain(args, script, out, err);
  run.transcript = out.str();
  if (!err.str().empty()) run.transcript += "--- standard error\n" + err.str();
  if (status != 0) run.transcript += "--- exit " + std::to_string(status) + "\n";
  if (controlSet) {
    run.storeAfter = InstallationDump(partition);
  } else if (!scenario.store.empty()) {
    run.storeAfter = ReadFile(storeCopy);
  }
  fs::remove_all(work);
  return run;
}

}  // namespace zorvanel::replay

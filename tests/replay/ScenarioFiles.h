#pragma once
// Finding, reading and running the replay scenarios under tests/replay.

#include <filesystem>
#include <string>
#include <vector>

namespace zorvanel::replay {

struct Scenario {
  std::filesystem::path script;
  std::string store;                 // file name in tests/stores, or empty
  std::vector<std::string> args;     // further options
  std::string programDir;            // relative to tests/replay, or empty
  bool storeUnchanged = false;
  // Scenarios on hives only: how the installation made from the store is
  // then spoilt or rearranged (see ScenarioFiles.cpp), and how many times
  // the script runs on it.
  std::string windows;
  int runs = 1;
  // Real hives from the corpus beside the repository (file names without
  // ".xz": system, then software, "made" for a hive made from the store)
  // that the installation starts from, the store's keys put into them.
  std::vector<std::string> hives;
};

struct ScenarioRun {
  std::string transcript;  // standard output, then what went to standard error and the status
  std::string storeBefore;
  std::string storeAfter;
  std::string skipped;  // why the scenario could not run, when it could not
};

std::string ReadFile(const std::filesystem::path& path);
// The registry error box as a transcript shows it, up to its answer.
std::string RegistryErrorBox();
// How many times the text occurs in the transcript.
std::size_t Occurrences(const std::string& transcript, const std::string& text);
// The blank-separated words of a line.
std::vector<std::string> Words(const std::string& text);
std::vector<std::filesystem::path> AllScenarioFiles();
// The scenarios under hive-scenarios, which run on hives only.
std::vector<std::filesystem::path> HiveScenarioFiles();
std::string TestName(const std::filesystem::path& script);
Scenario LoadScenario(const std::filesystem::path& script);
// Runs the scenario on a fresh copy of its store, with extra options added.
// With a control set number it runs on a Windows installation made from the
// store instead, with that control set current; storeBefore and storeAfter
// are then what dump prints of it.
ScenarioRun RunScenario(const Scenario& scenario, const std::vector<std::string>& extraArgs,
                        int controlSet = 0);

}  // namespace zorvanel::replay

#include "tests/replay/ScenarioFiles.h"

#include <sys/xattr.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/hive/Installation.h"
#include "platform/registry/mdlRegistry.h"
#include "platform/store/RegFile.h"
#include "replay/HiveReplay.h"
#include "replay/ReplayRunner.h"
#include "tests/hive/EmptyHive.h"
#include "tests/hive/RawHive.h"

namespace zorvanel::replay {

namespace fs = std::filesystem;

namespace {

const fs::path kReplayDir = fs::path(ZORVANEL_TEST_DATA) / "replay";
const fs::path kStoreDir = fs::path(ZORVANEL_TEST_DATA) / "stores";
// Real hives that Windows wrote, kept beside the repository, never in it.
const fs::path kHiveCorpus = fs::path(ZORVANEL_TEST_DATA).parent_path().parent_path() / "shared" / "hive-corpus";

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
  try {
    auto installation = hive::Installation::Open(hive::FindInstallation(partition.string()));
    return store::FormatRegFile(installation->Registry().Snapshot());
  } catch (const std::exception& error) {
    return error.what();
  }
}

// How ntfs-3g shows a file's Windows security descriptor and its attributes;
// empty on file systems that have neither.
std::string NtfsMetadata(const fs::path& file) {
  std::string all;
  for (const char* name : {"system.ntfs_acl", "system.ntfs_attrib"}) {
    std::string value(4096, '\0');
    const ssize_t size = ::getxattr(file.c_str(), name, value.data(), value.size());
    if (size >= 0) all += name + ("=" + value.substr(0, static_cast<std::size_t>(size))) + "\n";
  }
  return all;
}

// Gives the hive a descriptor and attributes unlike those ntfs-3g gives a new
// file: its access list grants SYSTEM rather than Everyone, and it is hidden
// and a system file. Nothing where the file system has no descriptor.
void GiveOwnNtfsMetadata(const fs::path& hive) {
  std::string acl(4096, '\0');
  const ssize_t size = ::getxattr(hive.c_str(), "system.ntfs_acl", acl.data(), acl.size());
  if (size < 0) return;
  acl.resize(static_cast<std::size_t>(size));
  const std::string everyone("\x01\x01\0\0\0\0\0\x01\0\0\0\0", 12);
  const std::string system("\x01\x01\0\0\0\0\0\x05\x12\0\0\0", 12);
  const auto at = acl.find(everyone);
  if (at == std::string::npos) throw std::runtime_error("no access for Everyone in " + hive.string());
  acl.replace(at, everyone.size(), system);
  const char hiddenSystemArchive[4] = {0x26, 0, 0, 0};
  if (::setxattr(hive.c_str(), "system.ntfs_acl", acl.data(), acl.size(), 0) != 0 ||
      ::setxattr(hive.c_str(), "system.ntfs_attrib", hiddenSystemArchive, 4, 0) != 0) {
    throw std::runtime_error("cannot set the NTFS metadata of " + hive.string() + ": " + std::strerror(errno));
  }
}

// Spoils or rearranges a new installation as a hive-only scenario asks;
// returns the folder that then holds the hives.
fs::path Rearrange(const fs::path& partition, const std::string& how) {
  const fs::path windows = partition / "WINDOWS";
  const fs::path config = windows / "system32" / "config";
  if (how == "dirty" || how == "truncated" || how == "not-a-hive") {
    std::string system = ReadFile(config / "system");
    if (how == "dirty") system = hive::WithSequenceNumbers(system, 7, 6);
    if (how == "truncated") system.resize(system.size() - 100);
    if (how == "not-a-hive") system = "REGEDIT4\r\n";
    std::ofstream(config / "system", std::ios::binary) << system;
  } else if (how == "no-select") {
    hive::RemoveSelect(config / "system");
  } else if (how == "mixed-case") {
    fs::rename(config / "system", config / "SYSTEM");
    fs::rename(config / "software", config / "Software");
    fs::rename(config, windows / "system32" / "CONFIG");
    fs::rename(windows / "system32", windows / "System32");
    fs::rename(windows, partition / "Windows");
    return partition / "Windows" / "System32" / "CONFIG";
  } else if (how == "winnt" || how == "no-windows") {
    const fs::path moved = partition / (how == "winnt" ? "WINNT" : "Documents and Settings");
    fs::rename(windows, moved);
    return moved / "system32" / "config";
  } else if (how == "two-windows") {
    fs::copy(windows, partition / "WINNT", fs::copy_options::recursive);
  } else if (how == "own-ntfs-metadata") {
    for (const char* hive : {"system", "software"}) GiveOwnNtfsMetadata(config / hive);
  } else if (!how.empty() && how != "as-made") {
    throw std::runtime_error("unknown windows directive " + how);
  }
  return config;
}

// A hive from the corpus, decompressed into the folder; its bytes.
std::string CorpusHive(const std::string& name, const fs::path& folder) {
  if (name == "made") return "";
  const fs::path file = folder / name;
  const std::string command = "xz -dc '" + (kHiveCorpus / (name + ".xz")).string() + "' > '" + file.string() + "'";
  if (std::system(command.c_str()) != 0) throw std::runtime_error("cannot decompress " + name);
  std::string bytes = ReadFile(file);
  fs::remove(file);
  return bytes;
}

// Why the scenario's corpus hives cannot be had, or empty.
std::string MissingCorpus(const Scenario& scenario) {
  for (const auto& name : scenario.hives) {
    if (name != "made" && !fs::exists(kHiveCorpus / (name + ".xz"))) {
      return "the hive corpus is not at " + kHiveCorpus.string() + " (" + name + ".xz)";
    }
  }
  return "";
}

// The installation made from the scenario's store; its path.
fs::path MakeInstallation(const Scenario& scenario, const fs::path& work, int controlSet) {
  const fs::path partition = work / "partition";
  const store::Key content =
      scenario.store.empty()
          ? store::Key{"HKEY_LOCAL_MACHINE", {}, {}}
          : store::ParseRegFile(ReadFile(kStoreDir / scenario.store), scenario.store);
  hive::BaseHives base;
  if (scenario.hives.size() == 2) base = {CorpusHive(scenario.hives[0], work), CorpusHive(scenario.hives[1], work)};
  if (!hive::MakeInstallation(content, partition, controlSet, base)) {
    throw std::runtime_error("cannot make an installation of " + scenario.store);
  }
  return partition;
}

struct FileState {
  std::string bytes;
  std::string ntfs;  // its NTFS descriptor and attributes, where there are such
};
using Files = std::map<std::string, FileState>;

Files ReadFolder(const fs::path& folder) {
  Files files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    files[entry.path().filename().string()] = {ReadFile(entry.path()), NtfsMetadata(entry.path())};
  }
  return files;
}

// What changed in a hive, as a reader other than its writer sees it, and
// the kinds of subkey lists it holds now.
std::string RawHiveChanges(const std::string& name, const std::string& before, const std::string& after) {
  const hive::RawHive now = hive::ReadRawHive(after);
  std::string text = "--- " + name + " read raw: changed keys\n" + hive::RawChanges(hive::ReadRawHive(before), now);
  text += "--- " + name + " read raw: subkey lists";
  for (const auto& [type, count] : now.lists) text += " " + type + " " + std::to_string(count);
  return text + "\n";
}

// What the runs left in the hives' folder, each file compared with what was
// there before: a kept copy is compared with its hive as it was before the
// first run. A hive that lost its NTFS descriptor or attributes says so; on
// real hives, each changed hive's changes follow.
std::string FolderAfter(const fs::path& folder, const Files& before, bool raw) {
  std::string listing = "--- files in the hives' folder\n";
  std::string changes;
  for (const auto& [name, state] : ReadFolder(folder)) {
    const std::string& bytes = state.bytes;
    std::string was = name;
    for (const char* suffix : {hive::kOriginalSuffix, hive::kBeforeSuffix}) {
      if (name.ends_with(suffix)) was.resize(name.size() - std::strlen(suffix));
    }
    const auto old = before.find(was);
    listing += name + (old == before.end()              ? " (new)"
                       : old->second.bytes == bytes ? " (as the hive was before)"
                                                    : " (changed)");
    if (was == name && old != before.end() && old->second.ntfs != state.ntfs) {
      listing += " NTFS security or attributes lost";
    }
    listing += "\n";
    if (raw && old != before.end() && name == was && old->second.bytes != bytes) {
      changes += RawHiveChanges(name, old->second.bytes, bytes);
    }
  }
  return listing + changes;
}

std::vector<fs::path> ScenarioFilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.path().extension() == ".replay") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
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

std::string RegistryErrorBox() {
  return std::string("box \"") + registry::kRegistryErrorTitle + "\" critical OK \"" +
         registry::kRegistryErrorText + "\"";
}

std::size_t Occurrences(const std::string& transcript, const std::string& text) {
  std::size_t count = 0;
  for (auto at = transcript.find(text); at != std::string::npos; at = transcript.find(text, at + 1)) {
    ++count;
  }
  return count;
}

std::vector<fs::path> AllScenarioFiles() { return ScenarioFilesIn(kReplayDir / "scenarios"); }
std::vector<fs::path> HiveScenarioFiles() { return ScenarioFilesIn(kReplayDir / "hive-scenarios"); }

std::string TestName(const fs::path& script) {
  std::string name = script.stem().string();
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
  return name;
}

Scenario LoadScenario(const fs::path& script) {
  Scenario scenario{script, "", {}, "", false};
  std::istringstream lines(ReadFile(script));
  for (std::string line; std::getline(lines, line) && line.starts_with("#");) {
    // A directive's value, its words joined by single blanks.
    auto directive = [&](std::string_view key) -> std::optional<std::string> {
      const std::string prefix = "# " + std::string(key) + ":";
      if (!line.starts_with(prefix)) return std::nullopt;
      std::string joined;
      for (const auto& word : Words(line.substr(prefix.size()))) joined += (joined.empty() ? "" : " ") + word;
      return joined;
    };
    if (auto store = directive("store")) scenario.store = *store;
    if (auto args = directive("args")) scenario.args = Words(*args);
    if (auto dir = directive("program-dir")) scenario.programDir = *dir;
    if (auto after = directive("store-after")) {
      scenario.storeUnchanged = *after == "unchanged";
      scenario.storeAsBefore = *after == "as-before";
    }
    if (auto windows = directive("windows")) scenario.windows = *windows;
    if (auto runs = directive("runs")) scenario.runs = std::stoi(*runs);
    if (auto hives = directive("hives")) scenario.hives = Words(*hives);
  }
  return scenario;
}

bool SameMachine(const std::string& before, const std::string& after) {
  return store::ParseRegFile(before, "before") == store::ParseRegFile(after, "after");
}

ScenarioRun RunScenario(const Scenario& scenario, const std::vector<std::string>& extraArgs,
                        int controlSet) {
  ScenarioRun run;
  std::vector<std::string> args = scenario.args;
  const fs::path work = FreshDirectory(TestName(scenario.script));
  const fs::path storeCopy = work / "registry.reg";
  fs::path partition, config;
  Files before;
  if (!scenario.hives.empty()) {
    if (scenario.hives.size() != 2) throw std::runtime_error("hives: give the system hive and the software hive");
    run.skipped = MissingCorpus(scenario);
    if (!run.skipped.empty()) return run;
  }
  if (!scenario.windows.empty() && !controlSet) controlSet = 1;
  if (controlSet) {
    partition = MakeInstallation(scenario, work, controlSet);
    config = Rearrange(partition, scenario.windows);
    before = ReadFolder(config);
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
  for (int time = 0; time < scenario.runs; ++time) {
    std::istringstream script(ReadFile(scenario.script));
    std::ostringstream out, err;
    const int status =
        controlSet ? HiveReplayMain(args, script, out, err) : ReplayMain(args, script, out, err);
    run.transcript += out.str();
    if (!err.str().empty()) run.transcript += "--- standard error\n" + err.str();
    if (status != 0) run.transcript += "--- exit " + std::to_string(status) + "\n";
  }
  if (!scenario.windows.empty()) {
    run.transcript += FolderAfter(config, before, !scenario.hives.empty());
    for (auto at = run.transcript.find(partition.string()); at != std::string::npos;
         at = run.transcript.find(partition.string(), at)) {
      run.transcript.replace(at, partition.string().size(), "PARTITION");
    }
  }
  if (controlSet) {
    run.storeAfter = InstallationDump(partition);
  } else if (!scenario.store.empty()) {
    run.storeAfter = ReadFile(storeCopy);
  }
  fs::remove_all(work);
  return run;
}

}  // namespace zorvanel::replay

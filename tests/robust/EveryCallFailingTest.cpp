// The sweep: every replay scenario run again with each of its registry calls
// failing in turn (--fail CALL:N:5), on the store file and on hives. Every
// run must end as the clean run ends (no crash, hang or new script error);
// show the registry error box once per failure the layer reports (all but
// the silent existence tests' and an enumeration's end), so one box more
// than the clean run when the other calls fail as before, and the clean
// run's very transcript when the call failed there already; and leave a
// store holding exactly what its successful calls wrote (those calls made
// again on the starting store in memory give the very tree).
//
// Scenarios queue their answers ahead. When a failure adds or takes away an
// error box (OK only), a queued answer meets a box it does not fit and the
// replay stops; the run is made again with an OK put in or taken out there,
// so that the questions still get the scenario's answers. A failure that
// ends the program early has the commands after the end left out. Failures
// of neighbouring calls mostly need the same OKs, so each run starts from
// the answers that fitted the run before.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/registry/mdlRegistry.h"
#include "platform/store/RegFile.h"
#include "platform/store/SubstituteStore.h"
#include "tests/replay/ScenarioFiles.h"
#include "tests/robust/TempDirectory.h"
#include "tests/wine/WineTranscript.h"

namespace zorvanel::robust {
namespace {

namespace fs = std::filesystem;
using namespace registry;
using replay::Scenario;
using replay::Words;

// A line of --trace-calls: "trace RegOpenKeyEx 3 root=0x… path="…" access=0x8 -> 0 key=0x…".
struct Call {
  std::string function;
  std::uint32_t count = 0;  // the how-manieth call of that function, from 1
  std::map<std::string, std::string> fields;  // arguments and results, texts unquoted
  long code = 0;

  std::string Id() const { return function + ":" + std::to_string(count); }
  const std::string& operator[](const std::string& name) const { return fields.at(name); }
  KeyHandle Handle(const std::string& name) const { return std::stoull(fields.at(name), nullptr, 16); }
};

// Fields are name=value, the value quoted as the transcript quotes texts or
// up to the next blank; "-> CODE" parts the arguments from the results.
Call ParseCall(const std::string& line) {
  Call call;
  std::istringstream head(line.substr(6));  // after "trace "
  head >> call.function >> call.count;
  std::size_t at = 6 + static_cast<std::size_t>(head.tellg());
  while ((at = line.find_first_not_of(' ', at)) != std::string::npos) {
    const bool code = line.compare(at, 3, "-> ") == 0;
    const std::size_t equals = code ? at + 2 : line.find('=', at);
    std::string& value = code ? call.fields["->"] : call.fields[line.substr(at, equals - at)];
    at = equals + 1;
    if (line[at] != '"') {
      const std::size_t end = std::min(line.find(' ', at), line.size());
      value = line.substr(at, end - at);
      at = end;
      continue;
    }
    for (++at; at < line.size() && line[at] != '"'; ++at) {
      if (line[at] != '\\') {
        value += line[at];
      } else if (const char c = line[++at]; c == 'x') {
        value += static_cast<char>(std::stoi(line.substr(at + 1, 2), nullptr, 16));
        at += 2;
      } else {
        value += c == 'r' ? '\r' : c == 'n' ? '\n' : c;
      }
    }
    ++at;
  }
  call.code = std::stol(call.fields.at("->"));
  return call;
}

std::vector<Call> ParseTrace(const std::string& errors) {
  std::vector<Call> trace;
  std::istringstream lines(errors);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("trace ")) trace.push_back(ParseCall(line));
  }
  return trace;
}

constexpr const char* kKeyExistsAccess = "0x8";
constexpr std::string_view kWindowsCaller = "windows:";

// KeyExists opens with KEY_ENUMERATE_SUB_KEYS and closes at once (handles are
// never reused); ValueExists asks for the type only.
bool IsSilentExistenceTest(const Call& call, const std::vector<Call>& trace) {
  if (call.function == "RegOpenKeyEx") return call["access"] == kKeyExistsAccess;
  if (call.function == "RegQueryValueEx") return call["type"] == "wanted" && call["data"] == "no";
  if (call.function != "RegCloseKey") return false;
  return std::ranges::any_of(trace, [&](const Call& open) {
    return open.function == "RegOpenKeyEx" && open.code == kSuccess &&
           open["key"] == call["key"] && open["access"] == kKeyExistsAccess;
  });
}

// Calls that Windows makes itself (the replay's logon) neither show the
// program's error box nor can be made to fail.
bool ByWindows(const Call& call) { return call.function.starts_with(kWindowsCaller); }

std::vector<std::string> ReportedFailures(const std::vector<Call>& trace) {
  std::vector<std::string> ids;
  for (const Call& call : trace) {
    if (ByWindows(call)) continue;
    const bool endOfList = call.function.starts_with("RegEnum") && call.code == kNoMoreItems;
    if (call.code != kSuccess && !endOfList && !IsSilentExistenceTest(call, trace)) {
      ids.push_back(call.Id());
    }
  }
  return ids;
}

// Makes the successful calls of the trace again on the model, in order;
// returns what went differently from the trace, or the empty text.
std::string ReplaySuccessfulCalls(const std::vector<Call>& trace, store::SubstituteStore& model) {
  for (const Call& call : trace) {
    const std::string function = call.function.substr(ByWindows(call) ? kWindowsCaller.size() : 0);
    if (function == "RegCloseKey") {  // releases the key even when made to fail
      model.RegCloseKey(call.Handle("key"));
      continue;
    }
    if (call.code != kSuccess) continue;
    long code = kSuccess;
    KeyHandle key = 0;
    if (function == "RegOpenKeyEx" || function == "RegCreateKeyEx") {
      const auto access = static_cast<std::uint32_t>(call.Handle("access"));
      code = function == "RegOpenKeyEx"
                 ? model.RegOpenKeyEx(call.Handle("root"), call["path"], access, &key)
                 : model.RegCreateKeyEx(call.Handle("root"), call["path"], access, &key);
      if (code == kSuccess && key != call.Handle("key")) return call.Id() + " gave another key";
    } else if (function == "RegSetValueEx") {
      std::vector<std::uint8_t> data;  // as stored, then a byte after it that is no NUL
      for (std::size_t i = 0; i + 1 < call["data"].size(); i += 2) {
        data.push_back(static_cast<std::uint8_t>(std::stoi(call["data"].substr(i, 2), nullptr, 16)));
      }
      data.push_back(0xFF);
      code = model.RegSetValueEx(call.Handle("key"), call["name"], static_cast<std::uint32_t>(std::stoul(call["type"])),
                                 data.data(), static_cast<std::uint32_t>(data.size() - 1));
    } else if (function == "RegDeleteKey") {
      code = model.RegDeleteKey(call.Handle("root"), call["path"]);
    } else if (function == "RegDeleteValue") {
      code = model.RegDeleteValue(call.Handle("key"), call["name"]);
    }
    if (code != kSuccess) return call.Id() + " failed on the model with code " + std::to_string(code);
  }
  return "";
}

struct Outcome {
  std::string output;  // what the user saw
  std::string ending;  // standard error without the trace, and the exit status
  std::vector<Call> trace;
  std::size_t errorBoxes = 0;
  std::string storeBefore, storeAfter;
};

Outcome Replay(const Scenario& scenario, const std::vector<std::string>& args, int controlSet) {
  const replay::ScenarioRun run = replay::RunScenario(scenario, args, controlSet);
  const std::string marker = "--- standard error\n";
  const std::size_t errors = std::min(run.transcript.find(marker), run.transcript.size());
  Outcome outcome{run.transcript.substr(0, errors), "", {}, 0, run.storeBefore, run.storeAfter};
  const std::string rest = run.transcript.substr(std::min(errors + marker.size(), run.transcript.size()));
  outcome.trace = ParseTrace(rest);
  std::istringstream lines(rest);
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with("trace ")) outcome.ending += line + "\n";
  }
  outcome.errorBoxes = replay::Occurrences(outcome.output, replay::RegistryErrorBox());
  return outcome;
}

// The script with an OK put in or taken out at the queued answer that did
// not fit the box the run stopped at, or nullopt when it did not stop so.
std::optional<std::string> RealignAnswers(const std::string& script, const Outcome& run) {
  static const std::regex kMisfit("-:[0-9]+: answer (Yes|No|OK) does not fit the box .*\n--- exit 2\n");
  std::smatch misfit;
  if (!std::regex_match(run.ending, misfit, kMisfit) || !run.output.ends_with(" -> ?\n")) return {};
  // The boxes before the stuck one took an answer each, but those answered by default.
  std::istringstream output(run.output);
  std::size_t taken = 0;
  for (std::string line; std::getline(output, line);) {
    taken += line.starts_with("box ") && !line.ends_with(" (default)");
  }
  --taken;
  std::istringstream lines(script);
  std::string realigned;
  bool done = false;
  for (std::string line; std::getline(lines, line); realigned += line + "\n") {
    auto words = Words(line);
    if (done || words.empty() || words[0] != "answer") continue;
    if (taken >= words.size() - 1) {
      taken -= words.size() - 1;
      continue;
    }
    const auto at = words.begin() + static_cast<std::ptrdiff_t>(taken + 1);
    if (misfit[1] == "OK") {
      words.erase(at);
    } else {
      words.insert(at, "OK");
    }
    line.clear();
    for (const auto& word : words) line += (line.empty() ? "" : " ") + word;
    if (words.size() == 1) line.clear();
    done = true;
  }
  return done ? std::optional(realigned) : std::nullopt;
}

// The script without its commands from the one that met the program's end on
// (a later logon among them).
std::optional<std::string> DropAfterEnd(const std::string& script, const Outcome& run) {
  static const std::regex kEnded("-:([0-9]+): the program has ended; only dump or logon may follow\n--- exit 2\n");
  std::smatch ended;
  if (!std::regex_match(run.ending, ended, kEnded)) return {};
  std::istringstream lines(script);
  std::string kept;
  std::size_t number = 0;
  for (std::string line; std::getline(lines, line);) {
    const auto words = Words(line);
    if (++number < std::stoul(ended[1]) || words.empty() || words[0].starts_with("#") ||
        words[0] == "dump") {
      kept += line + "\n";
    }
  }
  return kept;
}

void ExpectRunHoldsTogether(const Outcome& run, bool hives) {
  EXPECT_EQ(run.errorBoxes, ReportedFailures(run.trace).size()) << run.output;
  store::SubstituteStore model(store::ParseRegFile(run.storeBefore, "before"));
  EXPECT_EQ(ReplaySuccessfulCalls(run.trace, model), "");
  EXPECT_EQ(model.OpenHandleCount(), 0u) << "keys left open";
  const store::Key after = store::ParseRegFile(run.storeAfter, "after");
  // Hives order keys by name, so there the trees compare in that order.
  EXPECT_TRUE(hives ? wine::CanonicalHiveTranscript(store::FormatRegFile(after)) ==
                          wine::CanonicalHiveTranscript(store::FormatRegFile(model.Root()))
                    : after == model.Root())
      << "the store differs from what the successful calls wrote:\n" << run.storeAfter;
}

// On the store file (control set 0) and on hives (control set 1).
// Thousands of runs, each writing its store and waiting for the disk: on a
// memory file system, where there is one, they take a third of the time.
// The disk's own part is the crash test's.
class EveryCallFailing : public ::testing::TestWithParam<std::tuple<fs::path, int>> {
 protected:
  static void SetUpTestSuite() {
    saved_ = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    if (::access("/dev/shm", W_OK) == 0) ::setenv("TMPDIR", "/dev/shm", 1);
  }
  static void TearDownTestSuite() { saved_.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", saved_.c_str(), 1); }
  static inline std::string saved_;
};

TEST_P(EveryCallFailing, IsReportedOnceAndLeavesOnlyWhatSucceeded) {
  const auto& [script, controlSet] = GetParam();
  const bool hives = controlSet != 0;
  Scenario scenario = replay::LoadScenario(script);
  // Scenarios without a store run on an empty one, so that the file can be checked.
  if (scenario.store.empty()) scenario.store = "empty.reg";

  const Outcome clean = Replay(scenario, {"--trace-calls"}, controlSet);
  ASSERT_FALSE(clean.trace.empty());
  ExpectRunHoldsTogether(clean, hives);
  const auto cleanFailures = ReportedFailures(clean.trace);

  const TempDirectory scratch("sweep");
  Scenario changed = scenario;
  changed.script = scratch / script.filename().string();
  const std::string original = replay::ReadFile(script);
  std::string fitted = original;  // the answers that fitted the last run
  int silent = 0, alreadyFailing = 0, courseChanged = 0, runs = 0;
  for (const Call& target : clean.trace) {
    if (ByWindows(target)) continue;
    // A failed flush on hives drops the changes since the flush before, which
    // replaying the successful calls cannot model; the scenarios under
    // hive-scenarios/flush show those runs.
    if (hives && target.function == "RegFlushKey") continue;
    const std::string fault = target.Id() + ":" + std::to_string(kAccessDenied);
    SCOPED_TRACE("--fail " + fault);
    const bool failedBefore = std::ranges::count(cleanFailures, target.Id()) > 0;
    std::string text = failedBefore ? original : fitted;
    bool dropped = false;
    Outcome faulted;
    for (int rerun = 0;; ++rerun) {
      ASSERT_LT(rerun, 20) << "the answers never fitted:\n" << text;
      std::ofstream(changed.script, std::ios::binary) << text;
      faulted = Replay(changed, {"--trace-calls", "--fail", fault}, controlSet);
      ++runs;
      if (auto realigned = RealignAnswers(text, faulted)) {
        text = *realigned;
      } else if (auto shortened = DropAfterEnd(text, faulted)) {
        text = *shortened;
        dropped = true;
      } else {
        break;
      }
    }
    if (!dropped && !failedBefore) fitted = text;

    const auto injected = std::ranges::find(faulted.trace, target.Id(), &Call::Id);
    ASSERT_NE(injected, faulted.trace.end()) << "the failing call was never made";
    EXPECT_EQ(injected->code, kAccessDenied);
    ExpectRunHoldsTogether(faulted, hives);
    EXPECT_EQ(faulted.ending, clean.ending);
    auto others = ReportedFailures(faulted.trace);
    std::erase(others, target.Id());
    if (IsSilentExistenceTest(target, clean.trace)) {
      ++silent;
    } else if (failedBefore) {
      ++alreadyFailing;
      EXPECT_EQ(faulted.output, clean.output);
    } else if (others == cleanFailures) {
      EXPECT_EQ(faulted.errorBoxes, clean.errorBoxes + 1) << faulted.output;
    } else {
      ++courseChanged;
    }
  }
  std::cout << replay::TestName(script) << ": " << clean.trace.size() << " calls failed in turn in "
            << runs << " runs; " << silent << " silent existence tests, " << alreadyFailing
            << " failing already, " << courseChanged << " changed which other calls fail\n";
}

// The sanitize preset runs the sweeps of a fixed fifth of the scenarios
// (Sweep/, HiveSweep/) and leaves out the rest (Unsampled...), which
// scripts/sweep-sanitize.sh runs. A scenario's place comes from its own
// name, so a new scenario joins one side without moving any other.
std::vector<fs::path> ScenarioSample(bool sampled) {
  std::vector<fs::path> scripts;
  for (const fs::path& script : replay::AllScenarioFiles()) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (char c : replay::TestName(script)) hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
    if ((hash % 5 == 0) == sampled) scripts.push_back(script);
  }
  return scripts;
}

const auto kName = [](const auto& param) { return replay::TestName(std::get<0>(param.param)); };
auto Sweeps(bool sampled, int hives) {
  return ::testing::Combine(::testing::ValuesIn(ScenarioSample(sampled)), ::testing::Values(hives));
}
INSTANTIATE_TEST_SUITE_P(Sweep, EveryCallFailing, Sweeps(true, 0), kName);
INSTANTIATE_TEST_SUITE_P(HiveSweep, EveryCallFailing, Sweeps(true, 1), kName);
INSTANTIATE_TEST_SUITE_P(UnsampledSweep, EveryCallFailing, Sweeps(false, 0), kName);
INSTANTIATE_TEST_SUITE_P(UnsampledHiveSweep, EveryCallFailing, Sweeps(false, 1), kName);

}  // namespace
}  // namespace zorvanel::robust

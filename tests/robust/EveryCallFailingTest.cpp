// The sweep: every replay scenario is run again with each of its registry
// calls failing in turn (--fail CALL:N:5, access denied). Every run must
//  - end as the clean run ends: no crash, no hang, no new script error;
//  - show "Unknown Registry-error occured." exactly once per failed call that
//    the layer reports, as the run's own call trace lists them: every
//    failure but those of the silent existence tests (KeyExists' open and
//    its close, ValueExists' type query) and the end of an enumeration;
//  - so show exactly one such box more than the clean run, whenever the
//    injected failure leaves the other calls failing as they did before (a
//    failure can also change the course, so that other calls fail or no
//    longer fail; the trace accounts for those);
//  - leave a store file that holds exactly what the run's successful calls
//    wrote: the calls that the trace shows succeeding, made again in order
//    on the starting store in memory, give the very tree the file holds.
//
// A scenario queues its answers ahead; when the injected failure changes the
// boxes shown (its own error box comes before a question, or the course
// changes), a queued answer can meet a box it does not fit, and the replay
// stops with a script error. The run is then made again with the script's
// OK answers realigned to the boxes (AnswerRealignment.h); when it ends the
// program early, with the commands after the end left out. A call that
// already fails in the clean run (a scenario's own --fail) must give the
// very same transcript.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <filesystem>
#include <iostream>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/registry/mdlRegistry.h"
#include "platform/store/RegFile.h"
#include "platform/store/SubstituteStore.h"
#include "tests/replay/ScenarioFiles.h"
#include "tests/robust/AnswerRealignment.h"
#include "tests/robust/CallTraceLog.h"
#include "tests/robust/TempDirectory.h"
#include "tests/wine/WineTranscript.h"

namespace zorvanel::robust {
namespace {

namespace fs = std::filesystem;
using replay::Scenario;
using replay::ScenarioRun;

constexpr long kInjectedCode = 5;
const std::string kStandardError = "--- standard error\n";
const std::string kErrorBox = std::string("box \"") + registry::kRegistryErrorTitle +
                              "\" critical OK \"" + registry::kRegistryErrorText + "\"";

struct Outcome {
  std::string output;  // what the user saw
  std::string ending;  // standard error without the trace, and the exit status
  std::vector<TracedCall> trace;
  std::size_t errorBoxes = 0;
};

Outcome Split(const ScenarioRun& run) {
  Outcome outcome;
  const std::size_t errors = run.transcript.find(kStandardError);
  outcome.output = run.transcript.substr(0, errors);
  if (errors != std::string::npos) {
    const std::string rest = run.transcript.substr(errors + kStandardError.size());
    outcome.trace = ParseTrace(rest);
    std::istringstream lines(rest);
    for (std::string line; std::getline(lines, line);) {
      if (!line.starts_with("trace ")) outcome.ending += line + "\n";
    }
  }
  for (auto at = outcome.output.find(kErrorBox); at != std::string::npos;
       at = outcome.output.find(kErrorBox, at + 1)) {
    ++outcome.errorBoxes;
  }
  return outcome;
}

struct FaultedRun {
  ScenarioRun run;
  Outcome outcome;
  int realignments = 0;
};

// Runs the scenario with the fault, realigning its queued answers until they
// fit the boxes shown.
FaultedRun RunWithFault(const Scenario& scenario, const std::string& fault,
                        const TempDirectory& scratch, int controlSet) {
  const std::vector<std::string> args = {"--trace-calls", "--fail", fault};
  FaultedRun faulted{replay::RunScenario(scenario, args, controlSet), {}, 0};
  faulted.outcome = Split(faulted.run);
  std::string script = replay::ReadFile(scenario.script);
  constexpr int kMaxRealignments = 20;
  while (faulted.realignments < kMaxRealignments) {
    auto realigned = RealignAnswers(script, faulted.outcome.output, faulted.outcome.ending);
    if (!realigned) realigned = DropAfterEnd(script, faulted.outcome.ending);
    if (!realigned) break;
    script = *realigned;
    Scenario changed = scenario;
    changed.script = scratch / scenario.script.filename().string();
    std::ofstream(changed.script, std::ios::binary) << script;
    faulted.run = replay::RunScenario(changed, args, controlSet);
    faulted.outcome = Split(faulted.run);
    ++faulted.realignments;
  }
  return faulted;
}

std::vector<std::string> Without(std::vector<std::string> ids, const std::string& id) {
  std::erase(ids, id);
  return ids;
}

void ExpectOneBoxPerReportedFailure(const Outcome& outcome) {
  EXPECT_EQ(outcome.errorBoxes, ReportedFailures(outcome.trace).size()) << outcome.output;
}

// The store after the run holds exactly what the successful calls wrote.
// Hives order keys by name, so there the trees compare in that order.
void ExpectStoreHoldsTheSuccessfulWrites(const ScenarioRun& run, const Outcome& outcome,
                                         bool hives) {
  store::SubstituteStore model(store::ParseRegFile(run.storeBefore, "before"));
  EXPECT_EQ(ReplaySuccessfulCalls(outcome.trace, model), "");
  const store::Key after = store::ParseRegFile(run.storeAfter, "after");
  const bool same = hives ? wine::CanonicalHiveTranscript(store::FormatRegFile(after)) ==
                                wine::CanonicalHiveTranscript(store::FormatRegFile(model.Root()))
                          : after == model.Root();
  EXPECT_TRUE(same) << "the store file differs from what the successful calls wrote:\n"
                    << run.storeAfter;
}

// On the store file (control set 0) and on hives (control set 1).
class EveryCallFailing : public ::testing::TestWithParam<std::tuple<fs::path, int>> {
 protected:
  // Thousands of runs, each writing its store a few times and waiting for
  // the disk each time: on a memory file system, where there is one, the
  // sweep takes a third of the time. The disk's own part is the crash test's.
  static void SetUpTestSuite() {
    const char* saved = std::getenv("TMPDIR");
    savedTempDir_ = saved ? std::optional<std::string>(saved) : std::nullopt;
    if (::access(kMemoryFolder, W_OK) == 0) ::setenv("TMPDIR", kMemoryFolder, 1);
  }
  static void TearDownTestSuite() {
    if (savedTempDir_) {
      ::setenv("TMPDIR", savedTempDir_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
  }

 private:
  static constexpr const char* kMemoryFolder = "/dev/shm";
  static inline std::optional<std::string> savedTempDir_;
};

TEST_P(EveryCallFailing, IsReportedOnceAndLeavesOnlyWhatSucceeded) {
  const auto& [script, controlSet] = GetParam();
  // As in HiveScenarioTest: the undo has no offline form of its restart yet.
  if (controlSet && script.parent_path().filename() == "undo") GTEST_SKIP() << "no offline undo";
  Scenario scenario = replay::LoadScenario(script);
  // Scenarios without a store run on an empty one, so that the file can be checked.
  if (scenario.store.empty()) scenario.store = "empty.reg";

  const ScenarioRun cleanRun = replay::RunScenario(scenario, {"--trace-calls"}, controlSet);
  const Outcome clean = Split(cleanRun);
  ASSERT_FALSE(clean.trace.empty());
  ExpectOneBoxPerReportedFailure(clean);
  ExpectStoreHoldsTheSuccessfulWrites(cleanRun, clean, controlSet != 0);
  const auto cleanFailures = ReportedFailures(clean.trace);

  const TempDirectory scratch("sweep");
  int silent = 0, alreadyFailing = 0, courseChanged = 0, realigned = 0;
  for (const TracedCall& target : clean.trace) {
    const std::string fault = target.Id() + ":" + std::to_string(kInjectedCode);
    SCOPED_TRACE("--fail " + fault);
    const FaultedRun result = RunWithFault(scenario, fault, scratch, controlSet);
    const Outcome& faulted = result.outcome;
    realigned += result.realignments > 0 ? 1 : 0;

    const auto injected = std::find_if(faulted.trace.begin(), faulted.trace.end(),
                                       [&](const TracedCall& c) { return c.Id() == target.Id(); });
    ASSERT_NE(injected, faulted.trace.end()) << "the failing call was never made";
    EXPECT_EQ(injected->code, kInjectedCode);
    ExpectOneBoxPerReportedFailure(faulted);
    ExpectStoreHoldsTheSuccessfulWrites(result.run, faulted, controlSet != 0);
    EXPECT_EQ(faulted.ending, clean.ending);
    if (IsSilentExistenceTest(target, clean.trace)) {
      ++silent;
      continue;
    }
    const bool failedBefore = std::ranges::count(cleanFailures, target.Id()) > 0;
    const auto others = Without(ReportedFailures(faulted.trace), target.Id());
    if (failedBefore) {
      ++alreadyFailing;
      EXPECT_EQ(faulted.output, clean.output);
    } else if (others == cleanFailures) {
      EXPECT_EQ(faulted.errorBoxes, clean.errorBoxes + 1) << faulted.output;
    } else {
      ++courseChanged;
    }
  }
  std::cout << replay::TestName(script) << ": " << clean.trace.size() << " calls failed in turn; "
            << silent << " silent existence tests, " << alreadyFailing << " failing already, "
            << courseChanged << " changed which other calls fail; " << realigned
            << " runs with realigned answers\n";
}

std::string SweepName(const ::testing::TestParamInfo<std::tuple<fs::path, int>>& param) {
  return replay::TestName(std::get<0>(param.param));
}

INSTANTIATE_TEST_SUITE_P(Sweep, EveryCallFailing,
                         ::testing::Combine(::testing::ValuesIn(replay::AllScenarioFiles()),
                                            ::testing::Values(0)),
                         SweepName);
INSTANTIATE_TEST_SUITE_P(HiveSweep, EveryCallFailing,
                         ::testing::Combine(::testing::ValuesIn(replay::AllScenarioFiles()),
                                            ::testing::Values(1)),
                         SweepName);

}  // namespace
}  // namespace zorvanel::robust

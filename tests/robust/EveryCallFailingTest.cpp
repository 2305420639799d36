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
// A scenario that queues Yes or No for a question ends with a script error
// when the injected failure's box, which takes only OK, comes first. Such a
// run is cut short by its script, not by the program; it is checked up to
// that point, without the comparison with the clean run.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>

#include "platform/registry/mdlRegistry.h"
#include "platform/store/RegFile.h"
#include "platform/store/SubstituteStore.h"
#include "tests/replay/ScenarioFiles.h"
#include "tests/robust/CallTraceLog.h"

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

// The script's queued Yes or No met the injected failure's box.
bool CutShortByAnswer(const Outcome& outcome) {
  static const std::regex kCut(
      "-:[0-9]+: answer (Yes|No) does not fit the box \"Error\"\n--- exit 2\n");
  return std::regex_match(outcome.ending, kCut) &&
         outcome.output.ends_with(kErrorBox + " -> ?\n");
}

std::vector<std::string> Without(std::vector<std::string> ids, const std::string& id) {
  std::erase(ids, id);
  return ids;
}

void ExpectOneBoxPerReportedFailure(const Outcome& outcome) {
  EXPECT_EQ(outcome.errorBoxes, ReportedFailures(outcome.trace).size()) << outcome.output;
}

// The store after the run holds exactly what the successful calls wrote.
void ExpectStoreHoldsTheSuccessfulWrites(const ScenarioRun& run, const Outcome& outcome) {
  store::SubstituteStore model(store::ParseRegFile(run.storeBefore, "before"));
  EXPECT_EQ(ReplaySuccessfulCalls(outcome.trace, model), "");
  EXPECT_TRUE(store::ParseRegFile(run.storeAfter, "after") == model.Root())
      << "the store file differs from what the successful calls wrote:\n"
      << run.storeAfter;
}

class EveryCallFailing : public ::testing::TestWithParam<fs::path> {};

TEST_P(EveryCallFailing, IsReportedOnceAndLeavesOnlyWhatSucceeded) {
  Scenario scenario = replay::LoadScenario(GetParam());
  // Scenarios without a store run on an empty one, so that the file can be checked.
  if (scenario.store.empty()) scenario.store = "empty.reg";

  const ScenarioRun cleanRun = replay::RunScenario(scenario, {"--trace-calls"});
  const Outcome clean = Split(cleanRun);
  ASSERT_FALSE(clean.trace.empty());
  ExpectOneBoxPerReportedFailure(clean);
  ExpectStoreHoldsTheSuccessfulWrites(cleanRun, clean);
  const auto cleanFailures = ReportedFailures(clean.trace);

  int silent = 0, courseChanged = 0, cutShort = 0;
  for (const TracedCall& target : clean.trace) {
    const std::string fault = target.Id() + ":" + std::to_string(kInjectedCode);
    SCOPED_TRACE("--fail " + fault);
    const ScenarioRun run = replay::RunScenario(scenario, {"--trace-calls", "--fail", fault});
    const Outcome faulted = Split(run);

    const auto injected = std::find_if(faulted.trace.begin(), faulted.trace.end(),
                                       [&](const TracedCall& c) { return c.Id() == target.Id(); });
    ASSERT_NE(injected, faulted.trace.end()) << "the failing call was never made";
    EXPECT_EQ(injected->code, kInjectedCode);
    ExpectOneBoxPerReportedFailure(faulted);
    ExpectStoreHoldsTheSuccessfulWrites(run, faulted);

    if (CutShortByAnswer(faulted)) {
      ++cutShort;
      continue;
    }
    EXPECT_EQ(faulted.ending, clean.ending);
    if (IsSilentExistenceTest(target, clean.trace)) {
      ++silent;
      continue;
    }
    const auto others = Without(ReportedFailures(faulted.trace), target.Id());
    if (others == cleanFailures) {
      EXPECT_EQ(faulted.errorBoxes, clean.errorBoxes + 1) << faulted.output;
    } else {
      ++courseChanged;
    }
  }
  std::cout << replay::TestName(GetParam()) << ": " << clean.trace.size() << " calls failed in turn; "
            << silent << " silent existence tests, " << courseChanged
            << " changed which other calls fail, " << cutShort << " cut short by a queued answer\n";
}

INSTANTIATE_TEST_SUITE_P(Sweep, EveryCallFailing, ::testing::ValuesIn(replay::AllScenarioFiles()),
                         [](const auto& param) { return replay::TestName(param.param); });

}  // namespace
}  // namespace zorvanel::robust

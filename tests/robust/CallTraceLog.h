#pragma once
// Reading the registry call trace that zorvanel-replay writes with
// --trace-calls, and what the sweep needs to know about each call.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/store/SubstituteStore.h"

namespace zorvanel::robust {

struct TracedCall {
  std::string function;  // "RegOpenKeyEx" …
  std::uint32_t count = 0;  // the how-manieth call of that function, from 1
  std::map<std::string, std::string> fields;  // arguments and results, texts unquoted
  long code = 0;

  std::string Id() const { return function + ":" + std::to_string(count); }
  const std::string& Field(const std::string& name) const;
};

// The trace lines among a run's error output, in call order.
std::vector<TracedCall> ParseTrace(const std::string& errorOutput);

// The calls of a silent existence test, whose failure the registry layer
// never reports: KeyExists opens with KEY_ENUMERATE_SUB_KEYS and closes the
// key at once; ValueExists asks only for the type of the value.
bool IsSilentExistenceTest(const TracedCall& call, const std::vector<TracedCall>& trace);

// Whether the layer reports the call's failure with a message box: every
// failure but those of the silent tests and the end of an enumeration.
bool IsReportedFailure(const TracedCall& call, const std::vector<TracedCall>& trace);

// The calls of the trace whose failure the layer reports, by Id.
std::vector<std::string> ReportedFailures(const std::vector<TracedCall>& trace);

// Makes the successful calls of the trace again on the model, in order, and
// so gives the store that holds exactly what they wrote. Returns what went
// differently from the trace, or the empty text.
std::string ReplaySuccessfulCalls(const std::vector<TracedCall>& trace,
                                  store::SubstituteStore& model);

}  // namespace zorvanel::robust

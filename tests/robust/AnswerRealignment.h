#pragma once
// Scenarios queue the answers to their message boxes ahead. A registry call
// made to fail adds an error box (OK only) or, by changing the course, drops
// one, and a queued answer then meets a box it does not fit. Only the OK
// answers are out of step, as OK is all an error box can be given, so the
// script is realigned: an OK is put in for a box that came first, or the OK
// of a box that no longer comes is taken out.

#include <optional>
#include <string>

namespace zorvanel::robust {

// The script with its queued answers realigned, or nullopt when the run did
// not end on a queued answer that does not fit (output: the transcript of
// the run up to that box, ending "-> ?"; ending: its error output and status,
// without the trace).
std::optional<std::string> RealignAnswers(const std::string& script, const std::string& output,
                                          const std::string& ending);

}  // namespace zorvanel::robust

namespace zorvanel::robust {

// A failure can also end the program early (the confirm window finding
// nothing it can check). The script then stops at its next command; this
// gives the script without the commands from that line on, dumps excepted,
// or nullopt when the run did not stop so.
std::optional<std::string> DropAfterEnd(const std::string& script, const std::string& ending);

}  // namespace zorvanel::robust

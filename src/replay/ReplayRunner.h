#pragma once
// zorvanel-replay: runs the real window logic on the headless toolkit from a
// script and prints a transcript of everything the user would see.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/FaultInjection.h"

namespace zorvanel::replay {

struct ReplayOptions {
  std::optional<std::string> store;  // a .reg file, read and written in place
  int platformId = 2;
  std::string programDir = ".";
  bool restartPrivileged = true;
  bool musicEngine = true;
  std::vector<registry::Fault> faults;
  bool traceCalls = false;  // one line per registry call on the error stream
  std::string script = "-";  // "-" is standard input
};

// Exit status: 0 done, 1 the store could not be used, 2 a bad command line
// or script.
int RunReplay(const ReplayOptions& options, std::istream& script, std::ostream& out,
              std::ostream& err);

// Parses the command line, opens the script and runs it.
int ReplayMain(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err);

}  // namespace zorvanel::replay

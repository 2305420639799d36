#pragma once
// zorvanel-replay: runs the real window logic on the headless toolkit from a
// script and prints a transcript of everything the user would see.

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/HeadlessProgram.h"
#include "platform/registry/FaultInjection.h"
#include "platform/store/StoreTree.h"

namespace zorvanel::replay {

// The registry a replay runs on: the seam the program calls, and the keys
// `dump` prints.
class ReplayRegistry {
 public:
  virtual ~ReplayRegistry() = default;
  virtual registry::RegistryApi& Api() = 0;
  virtual store::Key Snapshot() = 0;
  // A flush that --fail refuses stands for a commit that failed: a registry
  // that commits at flushes drops what it has not committed.
  virtual void DropUncommitted() {}
};

// A platform's build of the runner may offer the machine's own registry,
// which a run then takes only with --live; the usage lines describe it.
struct ReplayHost {
  std::string_view registryUsage;  // empty: the in-memory store's lines
  std::function<std::unique_ptr<ReplayRegistry>()> openRegistry;  // unset: none
  bool offline = false;  // the registry is a Windows that is not running
};

struct ReplayOptions {
  std::optional<std::string> store;  // a .reg file, read and written in place
  bool live = false;  // the machine's own registry, where the host has one
  headless::HeadlessOptions program;  // platform id, program folder, restart, music
  std::vector<registry::Fault> faults;
  bool traceCalls = false;  // one line per registry call on the error stream
  bool confirm = false;     // start runs the confirm window, tick its countdown
  std::string script = "-";  // "-" is standard input
};

// Exit status: 0 done, 1 the store could not be used, 2 a bad command line
// or script.
int RunReplay(const ReplayOptions& options, std::istream& script, std::ostream& out,
              std::ostream& err, const ReplayHost& host = {});

// Parses the command line, opens the script and runs it.
int ReplayMain(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err, const ReplayHost& host = {});

}  // namespace zorvanel::replay

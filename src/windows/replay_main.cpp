// zorvanel-replay.exe: the replay runner built for Windows. With --live it
// runs the program's logic on this machine's registry; with --store, on the
// substitute store, as everywhere else. It takes neither by default.

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/store/RegFile.h"
#include "platform/win32/AdvapiRegistry.h"
#include "platform/win32/LiveRegistryTree.h"
#include "replay/LiveDumpScope.h"
#include "replay/ReplayRunner.h"

namespace {

using namespace zorvanel;

constexpr std::string_view kLiveRegistryUsage =
    "With --store, FILE (.reg) is\n"
    "read and written in place. With --live it runs on this machine's registry, and\n"
    "dump prints the program's vendor key and the keys that the .reg file given\n"
    "with --dump-keys FILE holds, each with its subkeys. One of the two is needed.\n";

class LiveRegistry : public replay::ReplayRegistry {
 public:
  explicit LiveRegistry(std::vector<std::string> dumpRoots) : dumpRoots_(std::move(dumpRoots)) {}
  registry::RegistryApi& Api() override { return registry_; }
  store::Key Snapshot() override { return win32::ReadLiveTree(dumpRoots_); }

 private:
  win32::AdvapiRegistry registry_;
  std::vector<std::string> dumpRoots_;
};

// Takes "--dump-keys FILE" out of the arguments and reads FILE's keys.
// Returns the exit status for a file that cannot be used, or 0.
int TakeDumpScope(std::vector<std::string>& args, store::Key& scope) {
  auto option = std::find(args.begin(), args.end(), "--dump-keys");
  if (option == args.end()) return 0;
  if (option + 1 == args.end()) {
    std::cerr << "zorvanel-replay: --dump-keys needs a value\n";
    return 2;
  }
  const std::string path = option[1];
  args.erase(option, option + 2);
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  if (!(file && bytes << file.rdbuf())) {
    std::cerr << "zorvanel-replay: cannot read " << path << '\n';
    return 2;
  }
  try {
    scope = store::ParseRegFile(bytes.str(), path);
  } catch (const store::RegFileError& error) {
    std::cerr << "zorvanel-replay: " << error.what() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Transcripts end their lines with a line feed alone, as on every platform.
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  std::vector<std::string> args(argv + 1, argv + argc);
  store::Key scope = store::EmptyRoot();
  if (int status = TakeDumpScope(args, scope)) return status;
  replay::ReplayHost host{kLiveRegistryUsage, [&scope] {
                            return std::make_unique<LiveRegistry>(replay::LiveDumpRoots(scope));
                          }};
  return replay::ReplayMain(args, std::cin, std::cout, std::cerr, host);
}

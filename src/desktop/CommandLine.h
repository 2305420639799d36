#pragma once
// The desktop program's command line. The Windows program takes none; these
// options exist because here the registry is a file the user may choose.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace zorvanel::desktop {

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::optional<std::string> store;  // --store FILE
  std::string error;                 // what was wrong, for Action::Error
  bool confirm = false;              // --confirm: the check after a restart
  // A Windows installation instead of the store: --windows DIR (an empty
  // DIR: the only one on the mounted file systems), or --system-hive FILE
  // with --software-hive FILE.
  std::optional<std::string> windows;
  std::optional<std::string> systemHive;
  std::optional<std::string> softwareHive;
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);

struct ProgramFiles;

void PrintUsage(std::ostream& out);
// The usage, and where the program's read-me and music are.
void PrintHelp(std::ostream& out, const ProgramFiles& files);

}  // namespace zorvanel::desktop

#include "desktop/CommandLine.h"

#include <ostream>

#include "desktop/ProgramFiles.h"

namespace zorvanel::desktop {

namespace {

constexpr const char* kUsage =
    "usage: zorvanel [--store FILE] [--confirm]\n"
    "       zorvanel --help | --version\n"
    "\n"
    "Sets which refresh rates the Detonator display driver offers, on a simulated\n"
    "Windows registry kept in a .reg file. Nothing on this machine's display is\n"
    "changed.\n"
    "\n"
    "  --store FILE  use FILE (a .reg file, for example an export of a real\n"
    "                machine's keys) as the registry; it is changed in place.\n"
    "                Without it the store is $XDG_DATA_HOME/zorvanel/registry.reg\n"
    "                (~/.local/share/zorvanel/registry.reg), created from the\n"
    "                sample machine the first time.\n"
    "  --confirm     keep or undo the rates written before the last restart, as\n"
    "                the Windows program does at the first logon after it\n"
    "  --help        show this text\n"
    "  --version     show the program's version\n";

CommandLine Error(std::string why) {
  return {CommandLine::Action::Error, std::nullopt, std::move(why)};
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine result;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return {CommandLine::Action::Help, {}, {}};
    if (arg == "--version") return {CommandLine::Action::Version, {}, {}};
    std::optional<std::string> store;
    if (arg == "--confirm") {
      result.confirm = true;
      continue;
    }
    if (arg == "--store") {
      if (i + 1 >= args.size()) return Error("--store needs a file name");
      store = args[++i];
    } else if (arg.starts_with("--store=")) {
      store = arg.substr(8);
    } else {
      return Error(arg.starts_with("-") ? "unknown option " + arg : "unexpected argument " + arg);
    }
    if (store->empty()) return Error("--store needs a file name");
    if (result.store) return Error("--store given twice");
    result.store = std::move(store);
  }
  return result;
}

void PrintUsage(std::ostream& out) { out << kUsage; }

void PrintHelp(std::ostream& out, const ProgramFiles& files) {
  out << kUsage << "\n"
      << "The read-me and F.A.Q.: " << files.documentFolder << "/readme.txt\n"
      << "The easter egg's music: " << files.dataFolder << "/refresh.dat\n";
}

}  // namespace zorvanel::desktop

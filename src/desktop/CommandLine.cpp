#include "desktop/CommandLine.h"

#include <ostream>

#include "desktop/ProgramFiles.h"

namespace zorvanel::desktop {

namespace {

constexpr const char* kUsage =
    "usage: zorvanel [--store FILE] [--confirm]\n"
    "       zorvanel --windows [DIR]\n"
    "       zorvanel --system-hive FILE --software-hive FILE\n"
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
    "  --windows DIR  repair the Windows installation at DIR (a mounted Windows\n"
    "                partition, or its Windows folder) through its registry\n"
    "                hives; see \"Repairing a Windows installation from Linux\"\n"
    "                in the README. Without DIR, the only Windows installation\n"
    "                on the mounted file systems.\n"
    "  --system-hive FILE --software-hive FILE\n"
    "                the same, on hives copied out on their own.\n"
    "  --help        show this text\n"
    "  --version     show the program's version\n";

CommandLine Error(std::string why) {
  return {CommandLine::Action::Error, std::nullopt, std::move(why), {}, {}, {}};
}

// The option's field, or null for an option that takes no file.
std::optional<std::string>* Field(CommandLine& line, std::string_view option) {
  if (option == "--store") return &line.store;
  if (option == "--windows") return &line.windows;
  if (option == "--system-hive") return &line.systemHive;
  if (option == "--software-hive") return &line.softwareHive;
  return nullptr;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine result;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return {CommandLine::Action::Help};
    if (arg == "--version") return {CommandLine::Action::Version};
    if (arg == "--confirm") {
      result.confirm = true;
      continue;
    }
    const std::string option = arg.substr(0, arg.find('='));
    std::optional<std::string>* field = Field(result, option);
    if (!field) {
      return Error(arg.starts_with("-") ? "unknown option " + arg : "unexpected argument " + arg);
    }
    std::string value;
    if (option.size() < arg.size()) {
      value = arg.substr(option.size() + 1);
    } else if (option == "--windows" && (i + 1 == args.size() || args[i + 1].starts_with("-"))) {
      // No folder: the one installation on the mounted file systems.
      if (*field) return Error(option + " given twice");
      *field = "";
      continue;
    } else if (i + 1 < args.size()) {
      value = args[++i];
    }
    if (value.empty()) return Error(option + (option == "--windows" ? " needs a folder" : " needs a file name"));
    if (*field) return Error(option + " given twice");
    *field = std::move(value);
  }
  const int targets = (result.store ? 1 : 0) + (result.windows ? 1 : 0) +
                      (result.systemHive || result.softwareHive ? 1 : 0);
  if (targets > 1 || result.systemHive.has_value() != result.softwareHive.has_value()) {
    return Error("give --store FILE, --windows DIR, or --system-hive FILE with --software-hive FILE");
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

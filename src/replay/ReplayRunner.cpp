#include "replay/ReplayRunner.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "app/WindowNames.h"
#include "modes/PendingCheck.h"
#include "platform/headless/HeadlessProgram.h"
#include "platform/store/RegFile.h"
#include "platform/store/StoreFile.h"
#include "platform/store/SubstituteStore.h"
#include "replay/CallTrace.h"
#include "replay/WindowsLogon.h"

namespace zorvanel::replay {

namespace {

using headless::ScriptError;
using store::Key;

// The first line names the registry options, which differ by build.
constexpr std::string_view kUsageHead =
    " [--platform-id N] [--program-dir DIR]\n"
    "                       [--restart ok|no-privilege] [--music ok|no-engine]\n"
    "                       [--fail CALL:N:CODE]... [--trace-calls]\n"
    "                       [--confirm] [--safe-mode] [--exe-path PATH] SCRIPT\n"
    "Runs the program's window logic from SCRIPT ('-' for standard input) without a\n"
    "screen and prints what the user would see. ";
constexpr std::string_view kInMemoryRegistryUsage =
    "Without --store the registry is\n"
    "empty and kept in memory; with it, FILE (.reg) is read and written in place.\n";
constexpr std::string_view kUsageTail =
    "--fail makes the Nth call of a registry function (RegOpenKeyEx, RegCreateKeyEx,\n"
    "RegQueryValueEx, RegSetValueEx, RegEnumValue, RegDeleteKey, RegCloseKey,\n"
    "RegEnumKeyEx, RegDeleteValue) fail with the Windows error CODE. --trace-calls\n"
    "writes every registry call, its arguments and its result to standard error.\n"
    "--confirm runs the check after a restart instead of the main window: start\n"
    "shows it and tick drives its countdown; --safe-mode lets it find Windows in\n"
    "safe mode. --exe-path is the Windows program's path that a write registers\n"
    "for the next logon (C:\\Program Files\\Zorvanel\\zorvanel.exe).\n";

std::string Usage(const ReplayHost& host) {
  const std::string_view registry =
      host.registryUsage.empty() ? kInMemoryRegistryUsage : host.registryUsage;
  const std::string_view options = host.openRegistry ? "(--store FILE | --live)" : "[--store FILE]";
  return "usage: zorvanel-replay " + std::string(options) + std::string(kUsageHead) +
         std::string(registry) + std::string(kUsageTail);
}

// A build that can reach the machine's registry takes it only when asked:
// a script that forgot --store must not write the driver's values.
std::optional<std::string> RegistryChoiceError(const ReplayOptions& options,
                                               const ReplayHost& host) {
  if (options.live && !host.openRegistry) return "--live: this build has no machine registry";
  if (options.live && options.store) return "--store and --live exclude each other";
  if (!options.live && !options.store && host.openRegistry) {
    return "no registry given: --store FILE runs on a .reg file, --live on this machine's "
           "registry";
  }
  return std::nullopt;
}

int ParseInt(std::string_view text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    throw ScriptError("not a number: " + std::string(text));
  }
  return value;
}

ui::Answer ParseAnswer(std::string_view word) {
  if (word == "Yes") return ui::Answer::Yes;
  if (word == "No") return ui::Answer::No;
  if (word == "OK") return ui::Answer::OK;
  throw ScriptError("not an answer: " + std::string(word));
}

// Splits "command rest of line"; the rest keeps its blanks.
std::pair<std::string, std::string> SplitCommand(const std::string& line) {
  const auto space = line.find(' ');
  if (space == std::string::npos) return {line, ""};
  return {line.substr(0, space), line.substr(space + 1)};
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

// The substitute store, in memory or written through to its file.
class SubstituteRegistry : public ReplayRegistry {
 public:
  SubstituteRegistry(Key content, store::StoreFile* file) : store_(std::move(content)) {
    if (file) store_.PersistWith([file](const Key& root) { return file->Write(root); });
  }
  registry::RegistryApi& Api() override { return store_; }
  Key Snapshot() override { return store_.Root(); }

 private:
  store::SubstituteStore store_;
};

// Everything one replay runs on: the registry, the fakes, the toolkit, the
// windows. After a logon the program runs anew on the same registry.
class Session {
 public:
  Session(const ReplayOptions& options, std::ostream& out, std::ostream& err,
          ReplayRegistry& registry)
      : registry_(registry),
        faults_(registry.Api()),
        trace_(faults_, options.traceCalls ? &err : nullptr),
        windowsCalls_(registry.Api(), options.traceCalls ? &err : nullptr, "windows:"),
        out_(out),
        options_(options.program),
        program_(std::make_unique<headless::HeadlessProgram>(out, trace_, options_)),
        confirm_(options.confirm) {
    for (const auto& fault : options.faults) faults_.Add(fault);
    faults_.OnFailedFlush([&registry] { registry.DropUncommitted(); });
  }

  void Run(const std::string& line);

 private:
  headless::HeadlessToolkit& toolkit() { return program_->toolkit(); }
  headless::Transcript& transcript() { return program_->transcript(); }
  void Refused(const std::string& line, const std::optional<std::string>& reason) {
    if (reason) transcript().Line("refused: " + line + " (" + *reason + ")");
  }
  void Dump();
  void Logon();

  ReplayRegistry& registry_;
  registry::FaultInjector faults_;
  CallTrace trace_;  // outside the faults, so that it sees injected failures too
  CallTrace windowsCalls_;  // Windows' own calls, which no fault reaches
  std::ostream& out_;
  headless::HeadlessOptions options_;
  std::unique_ptr<headless::HeadlessProgram> program_;
  bool confirm_;
};

// The machine is reset, whatever the program was doing, and the next logon
// runs the RunOnce entries: the program's own starts its confirm mode.
void Session::Logon() {
  program_ = std::make_unique<headless::HeadlessProgram>(out_, trace_, options_);
  confirm_ = true;
  const std::vector<std::string> commands = RunOnceAtLogon(windowsCalls_, options_.safeMode);
  if (commands.empty()) transcript().Line("logon runs nothing");
  bool confirm = false;
  for (const std::string& command : commands) {
    transcript().Line("logon runs " + command);
    confirm = confirm || command.ends_with(modes::kConfirmSwitch);
  }
  // Without its entry the program does not run: only dump or logon may follow.
  if (confirm) {
    toolkit().Start(app::kConfirm);
  } else {
    toolkit().EndProgram();
  }
}

void Session::Dump() {
  std::string text = store::FormatRegFile(registry_.Snapshot());
  std::erase(text, '\r');
  transcript().stream() << text;
}

void Session::Run(const std::string& line) {
  auto [command, rest] = SplitCommand(line);
  if (command == "dump") return Dump();
  if (command == "logon") return Logon();
  if (toolkit().Ended()) throw ScriptError("the program has ended; only dump or logon may follow");
  const auto words = Words(rest);
  auto oneWord = [&]() -> const std::string& {
    if (words.size() != 1) throw ScriptError(command + " takes one argument");
    return words[0];
  };
  if (command == "answer") {
    if (words.empty()) throw ScriptError("answer takes at least one answer");
    for (const auto& word : words) toolkit().QueueAnswer(ParseAnswer(word));
  } else if (command == "start") {
    if (!words.empty()) throw ScriptError("start takes no argument");
    toolkit().Start(confirm_ ? app::kConfirm : app::kMainframe);
  } else if (command == "tab") {
    Refused(line, toolkit().SelectTab("tbsMain", ParseInt(oneWord())));
  } else if (command == "click") {
    Refused(line, toolkit().Click(oneWord()));
  } else if (command == "select") {
    auto [name, item] = SplitCommand(rest);
    Refused(line, toolkit().Select(name, item));
  } else if (command == "enter") {
    auto [name, text] = SplitCommand(rest);
    Refused(line, toolkit().Enter(name, text));
  } else if (command == "type") {
    Refused(line, toolkit().Type("tbsMain", rest));
  } else if (command == "tick") {
    Refused(line, toolkit().Tick(confirm_ ? "tmrCountdown" : "tmrWarning",
                                words.empty() ? 1 : ParseInt(oneWord())));
  } else if (command == "close") {
    Refused(line, toolkit().UserClose(oneWord()));
  } else if (command == "music-ends") {
    program_->music().MusicEnds();
  } else if (command == "show") {
    if (words.empty()) throw ScriptError("show takes control names or all");
    if (words.size() == 1 && words[0] == "all") {
      for (const auto& described : toolkit().DescribeAll()) transcript().Line(described);
    } else {
      for (const auto& name : words) transcript().Line(toolkit().Describe(name));
    }
  } else {
    throw ScriptError("unknown command " + command);
  }
}

}  // namespace

int RunReplay(const ReplayOptions& options, std::istream& script, std::ostream& out,
              std::ostream& err, const ReplayHost& host) {
  if (auto error = RegistryChoiceError(options, host)) {
    err << "zorvanel-replay: " << *error << '\n';
    return 2;
  }
  std::unique_ptr<store::StoreFile> file;
  std::unique_ptr<ReplayRegistry> registry;
  if (options.store) {
    try {
      file = store::StoreFile::Open(*options.store, false, [&err](const std::string& message) {
        err << "zorvanel-replay: " << message << '\n';
      });
    } catch (const std::exception& error) {
      err << "zorvanel-replay: " << error.what() << '\n';
      return 1;
    }
    registry = std::make_unique<SubstituteRegistry>(file->TakeContent(), file.get());
  } else if (options.live) {
    registry = host.openRegistry();
  } else {
    registry = std::make_unique<SubstituteRegistry>(store::EmptyRoot(), nullptr);
  }
  ReplayOptions session_options = options;
  session_options.program.offline = host.offline && !options.store;
  Session session(session_options, out, err, *registry);
  std::string line;
  for (int number = 1; std::getline(script, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    try {
      session.Run(line);
    } catch (const std::exception& error) {
      out.flush();
      err << options.script << ":" << number << ": " << error.what() << '\n';
      return 2;
    }
  }
  return 0;
}

namespace {

// Applies one option that takes a value; an error text when it is bad.
std::optional<std::string> ApplyOption(ReplayOptions& options, const std::string& option,
                                       const std::string& value) {
  if (option == "--store") {
    options.store = value;
  } else if (option == "--platform-id") {
    try {
      options.program.platformId = ParseInt(value);
    } catch (const ScriptError&) {
      return "--platform-id takes a number";
    }
  } else if (option == "--program-dir") {
    options.program.programDir = value;
  } else if (option == "--restart") {
    if (value != "ok" && value != "no-privilege") return "--restart takes ok or no-privilege";
    options.program.restartPrivileged = value == "ok";
  } else if (option == "--music") {
    if (value != "ok" && value != "no-engine") return "--music takes ok or no-engine";
    options.program.musicEngine = value == "ok";
  } else if (option == "--exe-path") {
    options.program.programPath = value;
  } else if (option == "--fail") {
    auto fault = registry::ParseFault(value);
    if (!fault) return "--fail takes CALL:N:CODE, for example RegSetValueEx:1:5";
    options.faults.push_back(*fault);
  } else {
    return "unknown option " + option;
  }
  return std::nullopt;
}

}  // namespace

int ReplayMain(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err, const ReplayHost& host) {
  ReplayOptions options;
  std::optional<std::string> script;
  auto bad = [&](const std::string& why) {
    err << "zorvanel-replay: " << why << "\n" << Usage(host);
    return 2;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      out << Usage(host);
      return 0;
    }
    if (arg == "--trace-calls" || arg == "--confirm" || arg == "--safe-mode") {
      if (arg == "--trace-calls") options.traceCalls = true;
      if (arg == "--confirm") options.confirm = true;
      if (arg == "--safe-mode") options.program.safeMode = true;
      continue;
    }
    if (arg == "--live") {
      options.live = true;
      continue;
    }
    if (arg.size() > 2 && arg.starts_with("--")) {
      if (i + 1 >= args.size()) return bad(arg + " needs a value");
      if (auto error = ApplyOption(options, arg, args[++i])) return bad(*error);
    } else if (script) {
      return bad("unexpected argument " + arg);
    } else {
      script = arg;
    }
  }
  if (!script) return bad("no script");
  options.script = *script;
  if (*script == "-") return RunReplay(options, in, out, err, host);
  std::ifstream file(*script, std::ios::binary);
  if (!file) {
    err << "zorvanel-replay: cannot read " << *script << '\n';
    return 2;
  }
  return RunReplay(options, file, out, err, host);
}

}  // namespace zorvanel::replay

#include "replay/HiveReplay.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>

#include "platform/hive/Installation.h"
#include "platform/store/StoreFile.h"
#include "replay/ReplayRunner.h"

namespace zorvanel::replay {

namespace {

constexpr std::string_view kRegistryUsage =
    "Without --store the registry is\n"
    "empty and kept in memory; with it, FILE (.reg) is read and written in place.\n"
    "--windows DIR runs on the Windows installation at DIR (a mounted partition or\n"
    "its Windows folder); --system-hive FILE --software-hive FILE on hives copied\n"
    "out on their own. There, dump prints the current control set as\n"
    "CurrentControlSet, and neither the other control sets nor Select.\n";

class HiveReplayRegistry : public ReplayRegistry {
 public:
  explicit HiveReplayRegistry(std::unique_ptr<hive::Installation> installation)
      : installation_(std::move(installation)) {}
  registry::RegistryApi& Api() override { return installation_->Registry(); }
  store::Key Snapshot() override { return installation_->Registry().Snapshot(); }
  void DropUncommitted() override { installation_->Registry().DropUncommitted(); }

 private:
  std::unique_ptr<hive::Installation> installation_;
};

// Takes "OPTION VALUE" out of args; nullopt when absent.
std::optional<std::string> Take(std::vector<std::string>& args, std::string_view option,
                                bool& missingValue) {
  auto at = std::find(args.begin(), args.end(), option);
  if (at == args.end()) return std::nullopt;
  if (at + 1 == args.end()) {
    missingValue = true;
    return std::nullopt;
  }
  std::string value = at[1];
  args.erase(at, at + 2);
  return value;
}

}  // namespace

int HiveReplayMain(std::vector<std::string> args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
  bool missingValue = false;
  const auto windows = Take(args, "--windows", missingValue);
  const auto system = Take(args, "--system-hive", missingValue);
  const auto software = Take(args, "--software-hive", missingValue);
  const bool hives = windows || system || software;
  const bool store = std::find(args.begin(), args.end(), "--store") != args.end();
  ReplayHost host{kRegistryUsage, {}, hives};
  if (missingValue || (windows && (system || software)) || (system.has_value() != software.has_value()) ||
      (hives && store)) {
    err << "zorvanel-replay: give --windows DIR, or --system-hive FILE with --software-hive "
           "FILE, or --store FILE\n";
    return 2;
  }
  if (!hives) return ReplayMain(args, in, out, err, host);
  std::unique_ptr<hive::Installation> installation;
  try {
    const hive::HivePaths paths = windows ? hive::FindInstallation(*windows)
                                          : hive::HivePaths{*system, *software};
    installation = hive::Installation::Open(
        paths, [&err](const std::string& message) { err << "zorvanel-replay: " << message << '\n'; });
  } catch (const std::exception& error) {
    err << "zorvanel-replay: " << error.what() << '\n';
    return 1;
  }
  for (const auto& reason : installation->Registry().ReadOnlyReasons()) {
    err << "zorvanel-replay: " << reason << '\n';
  }
  args.insert(args.begin(), "--live");  // the runner takes a host's registry only when asked
  host.openRegistry = [&installation] {
    return std::make_unique<HiveReplayRegistry>(std::move(installation));
  };
  return ReplayMain(args, in, out, err, host);
}

}  // namespace zorvanel::replay

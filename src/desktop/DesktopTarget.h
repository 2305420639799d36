#pragma once
// What the desktop program changes: the simulated machine in a store file,
// or a real Windows installation's hives. Opening it takes its lock, which
// is released when the target is destroyed.

#include <memory>
#include <string>
#include <vector>

#include "desktop/CommandLine.h"
#include "platform/hive/Installation.h"
#include "platform/store/StoreFile.h"
#include "platform/store/SubstituteStore.h"

namespace zorvanel::desktop {

class DesktopTarget {
 public:
  // Throws std::runtime_error (the store's or the hives' error) with the
  // message for the user.
  // The store reports its own troubles through report.
  static std::unique_ptr<DesktopTarget> Open(const CommandLine& options,
                                             store::StoreFile::Report report);

  registry::RegistryApi& Registry();
  // A Windows that is not running: there is nothing to restart.
  bool Offline() const { return installation_ != nullptr; }
  // The main window's title, naming the target so that nobody takes the
  // sample machine for their own Windows.
  const std::string& Title() const { return title_; }
  // Why the hives may not be changed, for the user; empty when they may.
  std::vector<std::string> Warnings() const;

 private:
  DesktopTarget() = default;
  std::unique_ptr<store::StoreFile> file_;
  std::unique_ptr<store::SubstituteStore> store_;
  std::unique_ptr<hive::Installation> installation_;
  std::string title_;
};

}  // namespace zorvanel::desktop

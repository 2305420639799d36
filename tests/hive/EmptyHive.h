#pragma once
// Hive files for tests. libhivex cannot make a hive from nothing, so an empty
// one is built here from the regf format; it is then filled through the
// program's own hive seam.

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/store/StoreTree.h"

namespace zorvanel::hive {

// An empty hive in the format minor version 1.5 (Windows XP's; libhivex
// writes "lh" subkey lists, which only that version allows): a base block
// with its checksum, one bin, a root key and the security cell that every
// new key inherits.
std::string EmptyHiveBytes();

// The hive with its base block's sequence numbers set, its checksum made good.
std::string WithSequenceNumbers(std::string hive, std::uint32_t primary, std::uint32_t secondary);
// Takes the key Select out of a system hive.
void RemoveSelect(const std::filesystem::path& system);

// The hives an installation starts from: a hive file's bytes each, or empty
// for an empty hive.
struct BaseHives {
  std::string system;
  std::string software;
  bool operator==(const BaseHives&) const = default;
};

// Makes a Windows partition at dir (dir/WINDOWS/system32/config/system and
// software) that holds the store's keys, with ControlSetNNN (NNN the given
// number) in place of SYSTEM\CurrentControlSet and another, unused control
// set beside it. A given system hive keeps its own control sets, and the
// store's keys are put into its current one. Returns false when the seam
// refused a key or value.
bool MakeInstallation(const store::Key& store, const std::filesystem::path& dir, int controlSet,
                      const BaseHives& base = {});

}  // namespace zorvanel::hive

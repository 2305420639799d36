#pragma once
// The registries the contract tests run on: the substitute store and hive
// files here, the real registry in the Windows build. Each target is a
// factory; the suite runs once per target, below kScratchKey only.

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/registry/RegistryApi.h"

namespace zorvanel::contract {

inline constexpr const char* kScratchKey = "SOFTWARE\\Dravenlock\\ZorvanelContractTest";

struct ContractTarget {
  std::string name;  // names the tests' instances: letters, digits and _
  // A registry in which kScratchKey does not exist yet.
  std::function<std::unique_ptr<registry::RegistryApi>()> open;
  // Wine's advapi32, which differs from Windows NT in a few rows.
  bool wine = false;

  friend void PrintTo(const ContractTarget& target, std::ostream* out) { *out << target.name; }
};

// The targets of this build.
std::vector<ContractTarget> ContractTargets();

}  // namespace zorvanel::contract

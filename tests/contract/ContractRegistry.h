#pragma once
// The registry the contract tests run on: the substitute store here, the real
// registry in the Windows build. Tests work below kScratchKey only.

#include <memory>

#include "platform/registry/RegistryApi.h"

namespace zorvanel::contract {

inline constexpr const char* kScratchKey = "SOFTWARE\\Dravenlock\\ZorvanelContractTest";

struct ContractRegistry {
  std::unique_ptr<registry::RegistryApi> api;
  // The substitute store keeps a text exactly as written; the real registry
  // may add a terminator of its own.
  bool keepsTextBytesExactly = true;
};

// A registry in which kScratchKey does not exist yet.
ContractRegistry OpenContractRegistry();

}  // namespace zorvanel::contract

// The contract tests on the Windows registry (under Wine in CI): the scratch
// key is removed before each test and after it.

#include "platform/win32/WindowsApi.h"

#include <shlwapi.h>

#include "platform/win32/AdvapiRegistry.h"
#include "tests/contract/ContractRegistry.h"

namespace zorvanel::contract {

namespace {

class ScratchAdvapiRegistry : public win32::AdvapiRegistry {
 public:
  ScratchAdvapiRegistry() { DeleteScratch(); }
  ~ScratchAdvapiRegistry() override { DeleteScratch(); }
  ScratchAdvapiRegistry(const ScratchAdvapiRegistry&) = delete;
  ScratchAdvapiRegistry& operator=(const ScratchAdvapiRegistry&) = delete;

 private:
  // With everything below it; a missing key is fine.
  static void DeleteScratch() { ::SHDeleteKeyA(win32::kNativeLocalMachine, kScratchKey); }
};

// Wine's ntdll tells itself apart by an export of its own.
bool RunsOnWine() {
  return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace

std::vector<ContractTarget> ContractTargets() {
  return {{"WindowsRegistry", [] { return std::make_unique<ScratchAdvapiRegistry>(); },
           RunsOnWine()}};
}

}  // namespace zorvanel::contract

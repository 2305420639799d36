// The contract tests on the Windows registry (under Wine in CI): the scratch
// key, with everything below it, is removed before each test and after it.

#include "platform/win32/WindowsApi.h"

#include <shlwapi.h>

#include "platform/win32/AdvapiRegistry.h"
#include "tests/contract/ContractRegistry.h"

namespace zorvanel::contract {

namespace {
struct ScratchAdvapiRegistry : win32::AdvapiRegistry {
  ScratchAdvapiRegistry() { ::SHDeleteKeyA(win32::kNativeLocalMachine, kScratchKey); }
  ~ScratchAdvapiRegistry() override { ::SHDeleteKeyA(win32::kNativeLocalMachine, kScratchKey); }
};
}  // namespace

std::vector<ContractTarget> ContractTargets() {
  // Wine's ntdll tells itself apart by an export of its own.
  const bool wine = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version");
  return {{"WindowsRegistry", [] { return std::make_unique<ScratchAdvapiRegistry>(); }, wine}};
}

}  // namespace zorvanel::contract

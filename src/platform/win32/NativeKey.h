#pragma once
// Key handles between the registry seam and Windows: the seam names the
// predefined root by its 32-bit value, Windows by a sign-extended handle.

#include "platform/registry/RegistryApi.h"
#include "platform/win32/WindowsApi.h"

namespace zorvanel::win32 {

inline HKEY ToNative(registry::KeyHandle key) {
  if (key == registry::HKEY_LOCAL_MACHINE) return kNativeLocalMachine;
  return reinterpret_cast<HKEY>(key);
}

}  // namespace zorvanel::win32

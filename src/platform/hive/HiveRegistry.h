#pragma once
// The registry seam over a Windows installation's hive files: what
// advapi32's ANSI calls give on Windows NT for the same data.
//   HKEY_LOCAL_MACHINE\SYSTEM is the system hive's root, and
//   SYSTEM\CurrentControlSet is the ControlSetNNN named by SYSTEM\Select's
//   "Current"; HKEY_LOCAL_MACHINE\SOFTWARE is the software hive's root;
//   every other key under HKEY_LOCAL_MACHINE is not found.
// Changes collect in memory; RegFlushKey commits each changed hive once,
// the software hive first, and so does the end of the session. A commit
// that fails drops the changes since the last flush (the hives are read
// again) and the flush fails with code 5, as does every change to a hive
// that is open read-only. Setting a value to the type and data it has is no
// change.

#include <memory>
#include <string>
#include <vector>

#include "platform/hive/HiveFile.h"
#include "platform/registry/HandleTable.h"
#include "platform/registry/RegistryApi.h"
#include "platform/store/StoreTree.h"

namespace zorvanel::hive {

class HiveRegistry : public registry::RegistryApi, private registry::KeyLookup {
 public:
  // Throws HiveFileError, naming the file, when the system hive has no
  // current control set.
  HiveRegistry(std::unique_ptr<HiveFile> system, std::unique_ptr<HiveFile> software);
  // Commits what is left, reporting a failure through the hives' report.
  ~HiveRegistry() override;

  // What the program sees, as the substitute store holds it: the current
  // control set under the name CurrentControlSet, no other control set, no
  // Select key, and texts as the ANSI calls read them.
  store::Key Snapshot() const;
  // Why either hive is read-only, one message each; empty when both may change.
  std::vector<std::string> ReadOnlyReasons() const;
  std::size_t OpenHandleCount() const { return handles_.Count(); }
  // Reads both hives again as the last commit left them, as a failed
  // commit does.
  void DropUncommitted();

  long RegOpenKeyEx(registry::KeyHandle root, const std::string& path, std::uint32_t access,
                    registry::KeyHandle* key) override;
  long RegCreateKeyEx(registry::KeyHandle root, const std::string& path, std::uint32_t access,
                      registry::KeyHandle* key) override;
  long RegQueryValueEx(registry::KeyHandle key, const std::string& name, std::uint32_t* type,
                       std::uint8_t* data, std::uint32_t* size) override;
  long RegSetValueEx(registry::KeyHandle key, const std::string& name, std::uint32_t type,
                     const std::uint8_t* data, std::uint32_t size) override;
  long RegEnumValue(registry::KeyHandle key, std::uint32_t index, char* name,
                    std::uint32_t* nameLength, std::uint32_t* type) override;
  long RegEnumKeyEx(registry::KeyHandle key, std::uint32_t index, char* name,
                    std::uint32_t* nameLength) override;
  long RegDeleteKey(registry::KeyHandle root, const std::string& path) override;
  long RegDeleteValue(registry::KeyHandle key, const std::string& name) override;
  long RegCloseKey(registry::KeyHandle key) override;
  long RegFlushKey(registry::KeyHandle key) override;

 private:
  using Path = std::vector<std::string>;
  // A key in a hive: the hive and the path below its root.
  struct HivePath {
    HiveFile* hive = nullptr;  // null: HKEY_LOCAL_MACHINE itself, or outside both hives
    Path below;
  };

  HivePath Map(const Path& path) const;
  // The names of the key's subkeys, in the registry's order.
  std::vector<std::string> SubkeyNames(const HivePath& place) const;
  // The key's node, or 0 when it does not exist.
  std::size_t Find(const HivePath& place) const;
  bool KeyExists(const Path& path) const override;
  // The hive that a change to path goes to, with *code set when it cannot.
  HiveFile* WritableHive(const HivePath& place, long* code) const;
  // Notes a change that succeeded in memory; code 5 when it failed.
  static long Finish(HiveFile& hive, bool changed);

  std::unique_ptr<HiveFile> system_;
  std::unique_ptr<HiveFile> software_;
  std::string currentControlSet_;  // "ControlSet001"
  registry::HandleTable handles_;
};

}  // namespace zorvanel::hive

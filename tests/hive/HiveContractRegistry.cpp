// The contract tests on hive files: a fresh installation for each test, made
// in a folder of its own and removed with the registry.

#include <filesystem>
#include <random>

#include "platform/hive/HiveRegistry.h"
#include "tests/contract/ContractRegistry.h"
#include "tests/hive/EmptyHive.h"

namespace zorvanel::contract {

namespace {

namespace fs = std::filesystem;

fs::path NewInstallation() {
  const fs::path dir = fs::temp_directory_path() /
                       ("zorvanel-contract-" + std::to_string(std::random_device{}()));
  hive::MakeInstallation(store::Key{"HKEY_LOCAL_MACHINE", {}, {}}, dir, 1);
  return dir / "WINDOWS" / "system32" / "config";
}

class ScratchHives : public hive::HiveRegistry {
 public:
  explicit ScratchHives(const fs::path& config)
      : HiveRegistry(hive::HiveFile::Open((config / "system").string()),
                     hive::HiveFile::Open((config / "software").string())),
        partition_(config.parent_path().parent_path().parent_path()) {}
  ~ScratchHives() override { fs::remove_all(partition_); }
  ScratchHives(const ScratchHives&) = delete;
  ScratchHives& operator=(const ScratchHives&) = delete;

 private:
  fs::path partition_;
};

}  // namespace

ContractTarget HivesContractTarget() {
  return {"Hives", [] { return std::make_unique<ScratchHives>(NewInstallation()); }};
}

}  // namespace zorvanel::contract

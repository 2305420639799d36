#include "platform/store/SubstituteStore.h"
#include "tests/contract/ContractRegistry.h"

namespace zorvanel::contract {

// A Windows installation's hive files (tests/hive/HiveContractRegistry.cpp).
ContractTarget HivesContractTarget();

std::vector<ContractTarget> ContractTargets() {
  return {{"SubstituteStore", [] { return std::make_unique<store::SubstituteStore>(); }},
          HivesContractTarget()};
}

}  // namespace zorvanel::contract

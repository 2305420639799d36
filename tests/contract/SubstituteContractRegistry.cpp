#include "platform/store/SubstituteStore.h"
#include "tests/contract/ContractRegistry.h"

namespace zorvanel::contract {

std::vector<ContractTarget> ContractTargets() {
  return {{"SubstituteStore", [] { return std::make_unique<store::SubstituteStore>(); }}};
}

}  // namespace zorvanel::contract

#include "platform/store/SubstituteStore.h"
#include "tests/contract/ContractRegistry.h"

namespace zorvanel::contract {

ContractRegistry OpenContractRegistry() {
  return {std::make_unique<store::SubstituteStore>(), true};
}

}  // namespace zorvanel::contract

#include <sstream>

#include "platform/headless/HeadlessToolkit.h"
#include "tests/contract/ContractToolkit.h"

namespace zorvanel::contract {

namespace {
struct Headless {
  std::ostringstream out;
  headless::Transcript transcript{out};
  headless::HeadlessToolkit toolkit{transcript, "."};
};
}  // namespace

ContractToolkit MakeContractToolkit(ui::WindowFactory& windows) {
  auto headless = std::make_shared<Headless>();
  headless->toolkit.Attach(windows);
  auto* toolkit = &headless->toolkit;
  return {std::shared_ptr<ui::Toolkit>(headless, toolkit),
          [toolkit](std::string_view window) { toolkit->Start(window); },
          [toolkit](std::string_view window) { toolkit->UserClose(window); },
          [toolkit] { return toolkit->Ended(); }};
}

}  // namespace zorvanel::contract

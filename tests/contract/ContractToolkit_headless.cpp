#include <sstream>

#include "platform/headless/HeadlessToolkit.h"
#include "tests/contract/ContractToolkit.h"

namespace zorvanel::contract {

ContractToolkit MakeContractToolkit(ui::WindowFactory& windows) {
  struct Headless {
    std::ostringstream out;
    headless::Transcript transcript{out};
    headless::HeadlessToolkit toolkit{transcript, "."};
  };
  auto headless = std::make_shared<Headless>();
  auto* toolkit = &headless->toolkit;
  toolkit->Attach(windows);
  return {std::shared_ptr<ui::Toolkit>(headless, toolkit),
          [toolkit](std::string_view window) { toolkit->Start(window); },
          [toolkit](std::string_view window) { toolkit->UserClose(window); },
          [toolkit](ui::ControlRef box, std::string_view text) {
            toolkit->Enter(std::string(box.window) + "." + std::string(box.control), text);
          },
          [toolkit] { return toolkit->Ended(); }};
}

}  // namespace zorvanel::contract

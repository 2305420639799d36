#pragma once
// The toolkit the contract tests run on, and what its user does there: the
// headless toolkit in the unit tests, Qt in the Qt tests, the native toolkit
// in the Windows build.

#include <functional>
#include <memory>
#include <string_view>

#include "platform/ui/Toolkit.h"

namespace zorvanel::contract {

struct ContractToolkit {
  std::shared_ptr<ui::Toolkit> toolkit;
  std::function<void(std::string_view window)> start;      // load step, then shown
  std::function<void(std::string_view window)> userClose;  // the close box
  // Types the text into a text box over what it held, key by key.
  std::function<void(ui::ControlRef box, std::string_view text)> userType;
  std::function<bool()> ended;
};

ContractToolkit MakeContractToolkit(ui::WindowFactory& windows);

}  // namespace zorvanel::contract

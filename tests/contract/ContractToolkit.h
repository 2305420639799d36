#pragma once
// The toolkit the contract tests run on, and what its user does there: the
// headless toolkit in the unit tests, Qt in the Qt tests, the native toolkit
// in the Windows build.

#include <memory>
#include <string_view>

#include "platform/ui/Toolkit.h"

namespace zorvanel::contract {

class ContractToolkit {
 public:
  virtual ~ContractToolkit() = default;
  virtual ui::Toolkit& toolkit() = 0;
  // Loads the window (its load step runs) and shows it.
  virtual void Start(std::string_view window) = 0;
  // The user closes the window with its close box.
  virtual void UserClose(std::string_view window) = 0;
  virtual bool Ended() = 0;
};

std::unique_ptr<ContractToolkit> MakeContractToolkit(ui::WindowFactory& windows);

}  // namespace zorvanel::contract

#include <sstream>

#include "platform/headless/HeadlessToolkit.h"
#include "tests/contract/ContractToolkit.h"

namespace zorvanel::contract {

namespace {

class HeadlessContractToolkit : public ContractToolkit {
 public:
  explicit HeadlessContractToolkit(ui::WindowFactory& windows) { toolkit_.Attach(windows); }
  ui::Toolkit& toolkit() override { return toolkit_; }
  void Start(std::string_view window) override { toolkit_.Start(window); }
  void UserClose(std::string_view window) override { toolkit_.UserClose(window); }
  bool Ended() override { return toolkit_.Ended(); }

 private:
  std::ostringstream out_;
  headless::Transcript transcript_{out_};
  headless::HeadlessToolkit toolkit_{transcript_, "."};
};

}  // namespace

std::unique_ptr<ContractToolkit> MakeContractToolkit(ui::WindowFactory& windows) {
  return std::make_unique<HeadlessContractToolkit>(windows);
}

}  // namespace zorvanel::contract

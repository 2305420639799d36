#include <QDir>

#include "platform/qt/QtToolkit.h"
#include "tests/contract/ContractToolkit.h"

namespace zorvanel::contract {

namespace {

class QtContractToolkit : public ContractToolkit {
 public:
  explicit QtContractToolkit(ui::WindowFactory& windows)
      : toolkit_(windows, {96, QDir::currentPath().toStdString(), [] {}}) {}
  ui::Toolkit& toolkit() override { return toolkit_; }
  void Start(std::string_view window) override { toolkit_.Start(window); }
  void UserClose(std::string_view window) override { toolkit_.Window(window)->close(); }
  bool Ended() override { return toolkit_.Ended(); }

 private:
  qt::QtToolkit toolkit_;
};

}  // namespace

std::unique_ptr<ContractToolkit> MakeContractToolkit(ui::WindowFactory& windows) {
  return std::make_unique<QtContractToolkit>(windows);
}

}  // namespace zorvanel::contract

#include "platform/win32/Win32Toolkit.h"
#include "tests/contract/ContractToolkit.h"

namespace zorvanel::contract {

namespace {

class Win32ContractToolkit : public ContractToolkit {
 public:
  explicit Win32ContractToolkit(ui::WindowFactory& windows) { toolkit_.Attach(windows); }
  ui::Toolkit& toolkit() override { return toolkit_; }
  void Start(std::string_view window) override { toolkit_.Start(window); }
  void UserClose(std::string_view window) override {
    ::SendMessageA(reinterpret_cast<HWND>(toolkit_.NativeHandle(window)), WM_CLOSE, 0, 0);
  }
  bool Ended() override { return toolkit_.Ended(); }

 private:
  win32::Win32Toolkit toolkit_;
};

}  // namespace

std::unique_ptr<ContractToolkit> MakeContractToolkit(ui::WindowFactory& windows) {
  return std::make_unique<Win32ContractToolkit>(windows);
}

}  // namespace zorvanel::contract

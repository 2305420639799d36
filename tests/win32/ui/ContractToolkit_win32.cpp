#include "platform/win32/Win32Toolkit.h"
#include "tests/contract/ContractToolkit.h"

namespace zorvanel::contract {

ContractToolkit MakeContractToolkit(ui::WindowFactory& windows) {
  auto toolkit = std::make_shared<win32::Win32Toolkit>();
  toolkit->Attach(windows);
  win32::Win32Toolkit* native = toolkit.get();
  return {toolkit, [native](std::string_view window) { native->Start(window); },
          [native](std::string_view window) {
            ::SendMessageA(reinterpret_cast<HWND>(native->NativeHandle(window)), WM_CLOSE, 0, 0);
          },
          [native](ui::ControlRef box, std::string_view text) {
            HWND edit = native->ControlHandle(box);
            ::SendMessageA(edit, EM_SETSEL, 0, -1);
            for (char key : text) {
              ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(key), 1);
            }
          },
          [native] { return native->Ended(); }};
}

}  // namespace zorvanel::contract

#include <QDir>

#include "platform/qt/QtToolkit.h"
#include "tests/contract/ContractToolkit.h"

namespace zorvanel::contract {

ContractToolkit MakeContractToolkit(ui::WindowFactory& windows) {
  auto toolkit = std::make_shared<qt::QtToolkit>(
      windows, qt::QtToolkitOptions{96, QDir::currentPath().toStdString(), [] {}});
  qt::QtToolkit* qt = toolkit.get();
  return {toolkit, [qt](std::string_view window) { qt->Start(window); },
          [qt](std::string_view window) { qt->Window(window)->close(); },
          [qt] { return qt->Ended(); }};
}

}  // namespace zorvanel::contract

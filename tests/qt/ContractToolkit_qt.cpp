#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "platform/qt/QtToolkit.h"
#include "tests/contract/ContractToolkit.h"

namespace zorvanel::contract {

ContractToolkit MakeContractToolkit(ui::WindowFactory& windows) {
  auto toolkit = std::make_shared<qt::QtToolkit>(
      windows, qt::QtToolkitOptions{96, QDir::currentPath().toStdString(), [] {}});
  qt::QtToolkit* qt = toolkit.get();
  return {toolkit, [qt](std::string_view window) { qt->Start(window); },
          [qt](std::string_view window) { qt->Window(window)->close(); },
          [qt](ui::ControlRef box, std::string_view text) {
            auto* edit = static_cast<QLineEdit*>(qt->ControlWidget(box));
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromStdString(std::string(text)));
          },
          [qt] { return qt->Ended(); }};
}

}  // namespace zorvanel::contract

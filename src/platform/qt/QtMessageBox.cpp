#include "platform/qt/QtMessageBox.h"

#include <QMessageBox>
#include <QPushButton>

#include "platform/qt/Look.h"

namespace zorvanel::qt {

namespace {

QMessageBox::Icon ToQtIcon(ui::Icon icon) {
  switch (icon) {
    case ui::Icon::Information: return QMessageBox::Information;
    case ui::Icon::Question: return QMessageBox::Question;
    case ui::Icon::Exclamation: return QMessageBox::Warning;
    case ui::Icon::Critical: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

ui::Answer ShowMessageBox(QWidget* owner, std::string_view text, ui::Buttons buttons,
                          ui::Icon icon, std::string_view title) {
  QMessageBox box(ToQtIcon(icon), ToQString(title), ToDisplayText(text), QMessageBox::NoButton,
                  owner);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  if (buttons == ui::Buttons::OK) {
    box.setDefaultButton(box.addButton(QMessageBox::Ok));
    box.exec();
    return ui::Answer::OK;
  }
  QPushButton* yes = box.addButton(QMessageBox::Yes);
  box.addButton(QMessageBox::No);
  box.setDefaultButton(yes);
  box.exec();
  return box.clickedButton() == static_cast<QAbstractButton*>(yes) ? ui::Answer::Yes : ui::Answer::No;
}

}  // namespace zorvanel::qt

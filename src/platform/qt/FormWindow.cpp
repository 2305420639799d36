#include "platform/qt/FormWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/ControlWidgets.h"
#include "platform/qt/Look.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/Twips.h"

namespace zorvanel::qt {

namespace {

using ui::ControlKind;

bool HasMenus(const ui::WindowLayout& layout) {
  return std::any_of(layout.controls.begin(), layout.controls.end(),
                     [](const ui::ControlSpec& spec) { return spec.kind == ControlKind::Menu; });
}

// A main window can be minimised and closed; a dialog only closed. Neither
// can be resized.
Qt::WindowFlags FlagsFor(bool dialog) {
  Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  return dialog ? flags | Qt::Dialog : flags | Qt::Window | Qt::WindowMinimizeButtonHint;
}

}  // namespace

FormWindow::FormWindow(const ui::WindowLayout& layout, double dpi, QWidget* owner, Hooks hooks)
    : QDialog(owner, FlagsFor(owner != nullptr)), layout_(layout), hooks_(std::move(hooks)) {
  setWindowTitle(ToQString(layout.caption));
  // The program's icon: the application's, drawn once for every window,
  // where the program has set it.
  if (QApplication::windowIcon().isNull()) setWindowIcon(ProgramIcon());

  auto* client = new QWidget(this);
  client->setFixedSize(TwipsToPixels(layout.clientWidth, dpi),
                       TwipsToPixels(layout.clientHeight, dpi));
  QPalette palette = client->palette();
  palette.setColor(QPalette::Window, ToQColor(layout.background, QApplication::palette()));
  client->setPalette(palette);
  client->setAutoFillBackground(true);
  client->setFont(ToQFont(layout.font, dpi));

  auto* box = new QVBoxLayout(this);
  box->setContentsMargins(0, 0, 0, 0);
  box->setSpacing(0);
  box->setSizeConstraint(QLayout::SetFixedSize);
  BuildTarget target{client, nullptr, dpi,
                     [this](const ui::Event& event) { hooks_.raise(*this, event); }};
  if (HasMenus(layout)) {
    target.menuBar = new QMenuBar(this);
    box->setMenuBar(target.menuBar);
  }
  box->addWidget(client);
  controls_ = BuildControls(layout, target);
}

FormWindow::~FormWindow() = default;

void FormWindow::StartTimers() {
  for (Control& control : controls_) {
    if (control.timer && control.spec->enabled) control.timer->start();
  }
}

void FormWindow::StopTimers() {
  for (Control& control : controls_) {
    if (control.timer) control.timer->stop();
  }
}

// The close box; Unload, not this, is how the program closes a window.
void FormWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (hooks_.userClosed) hooks_.userClosed(*this);
}

// Escape does not close the window and Enter presses no button: the
// program's windows have neither a cancel nor a default button.
void FormWindow::keyPressEvent(QKeyEvent* event) { QWidget::keyPressEvent(event); }

Control* FormWindow::Find(std::string_view name) {
  for (Control& control : controls_) {
    if (control.spec->name == name) return &control;
  }
  qWarning("zorvanel: no control %s.%.*s", layout_.name.c_str(), static_cast<int>(name.size()),
           name.data());
  return nullptr;
}

QWidget* FormWindow::Widget(std::string_view name) {
  Control* control = Find(name);
  return control ? control->widget : nullptr;
}

QAction* FormWindow::Action(std::string_view name) {
  Control* control = Find(name);
  return control ? control->action : nullptr;
}

QTabBar* FormWindow::Bar(std::string_view strip) {
  Control* control = Find(strip);
  if (!control || control->spec->kind != ControlKind::TabStrip) return nullptr;
  return static_cast<TabStripWidget*>(control->widget)->bar();
}

void FormWindow::SetText(std::string_view name, std::string_view text) {
  Control* control = Find(name);
  if (!control) return;
  if (control->spec->kind == ControlKind::DropDownList) return ShowItem(name, text);
  control->text = text;
  const QString display = ToDisplayText(text);
  switch (control->spec->kind) {
    case ControlKind::Label: static_cast<QLabel*>(control->widget)->setText(display); break;
    case ControlKind::Button:
    case ControlKind::OptionButton:
      static_cast<QAbstractButton*>(control->widget)->setText(display);
      break;
    case ControlKind::Frame:
      if (auto* group = qobject_cast<QGroupBox*>(control->widget)) group->setTitle(display);
      break;
    case ControlKind::Menu: control->action->setText(display); break;
    default: break;
  }
}

std::string FormWindow::Text(std::string_view name) {
  Control* control = Find(name);
  if (!control) return {};
  if (control->spec->kind == ControlKind::DropDownList) {
    return ToStdString(static_cast<QComboBox*>(control->widget)->currentText());
  }
  return control->text;
}

void FormWindow::SetTextColor(std::string_view name, ui::Color color) {
  Control* control = Find(name);
  if (!control || !control->widget) return;
  QPalette palette = control->widget->palette();
  const QColor qcolor = ToQColor(color, QApplication::palette());
  palette.setColor(QPalette::WindowText, qcolor);
  palette.setColor(QPalette::ButtonText, qcolor);
  control->widget->setPalette(palette);
}

void FormWindow::SetVisible(std::string_view name, bool visible) {
  Control* control = Find(name);
  if (!control) return;
  if (control->widget) control->widget->setVisible(visible);
  if (control->action) control->action->setVisible(visible);
}

// The control's own flag: a control on a hidden page still reads visible.
bool FormWindow::Visible(std::string_view name) {
  Control* control = Find(name);
  if (!control) return false;
  if (control->widget) return !control->widget->isHidden();
  if (control->action) return control->action->isVisible();
  return true;
}

void FormWindow::SetEnabled(std::string_view name, bool enabled) {
  Control* control = Find(name);
  if (!control) return;
  if (control->widget) control->widget->setEnabled(enabled);
  if (control->action) control->action->setEnabled(enabled);
  if (control->timer) enabled ? control->timer->start() : control->timer->stop();
}

// Line breaks come as "\r\n"; Qt breaks a plain tooltip at the "\n".
void FormWindow::SetToolTip(std::string_view name, std::string_view tooltip) {
  Control* control = Find(name);
  if (control && control->widget) control->widget->setToolTip(ToQString(tooltip).remove('\r'));
}

// ------------------------------------------------------------ drop-down lists

namespace {
QComboBox* AsList(Control* control) {
  if (!control || control->spec->kind != ControlKind::DropDownList) return nullptr;
  return static_cast<QComboBox*>(control->widget);
}
}  // namespace

void FormWindow::ClearItems(std::string_view name) {
  if (QComboBox* list = AsList(Find(name))) list->clear();
}

void FormWindow::AddItem(std::string_view name, std::string_view text) {
  // Adding to an empty list would show the new item; the program's lists
  // show nothing until told which item.
  if (QComboBox* list = AsList(Find(name))) {
    const int shown = list->currentIndex();
    list->addItem(ToQString(text));
    list->setCurrentIndex(shown);
  }
}

// An item the list does not hold leaves the shown item as it was.
void FormWindow::ShowItem(std::string_view name, std::string_view text) {
  QComboBox* list = AsList(Find(name));
  if (!list) return;
  const int index = list->findText(ToQString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index >= 0) list->setCurrentIndex(index);
}

// ------------------------------------------------------------ tab strips

int FormWindow::TabCount(std::string_view strip) {
  QTabBar* bar = Bar(strip);
  return bar ? bar->count() : 0;
}

// Tabs the program removes or adds raise no click: only the user's choice does.
void FormWindow::RemoveTab(std::string_view strip, int index) {
  QTabBar* bar = Bar(strip);
  if (!bar || index < 1 || index > bar->count()) return;
  const QSignalBlocker quiet(bar);
  bar->removeTab(index - 1);
}

void FormWindow::AppendTab(std::string_view strip, std::string_view caption) {
  QTabBar* bar = Bar(strip);
  if (!bar) return;
  const QSignalBlocker quiet(bar);
  bar->addTab(ToQString(caption));
}

void FormWindow::SetTabTooltip(std::string_view strip, int index, std::string_view tooltip) {
  QTabBar* bar = Bar(strip);
  if (bar && index >= 1 && index <= bar->count()) bar->setTabToolTip(index - 1, ToQString(tooltip));
}

int FormWindow::SelectedTab(std::string_view strip) {
  QTabBar* bar = Bar(strip);
  return bar ? bar->currentIndex() + 1 : 0;
}

// ------------------------------------------------------------ timers

int FormWindow::Interval(std::string_view name) {
  Control* control = Find(name);
  return control && control->timer ? control->timer->interval() : 0;
}

// A running timer starts counting the new interval from now.
void FormWindow::SetInterval(std::string_view name, int milliseconds) {
  Control* control = Find(name);
  if (control && control->timer) control->timer->setInterval(milliseconds);
}

}  // namespace zorvanel::qt

#include "platform/qt/FormWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/ControlWidgets.h"
#include "platform/ui/BadRequests.h"
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

Control* FormWindow::Lookup(std::string_view name) {
  for (Control& control : controls_) {
    if (control.spec->name == name) return &control;
  }
  return nullptr;
}

Control* FormWindow::Find(std::string_view name) {
  Control* control = Lookup(name);
  if (!control) ui::ThrowNoControl({layout_.name, name});
  return control;
}

Control* FormWindow::Find(std::string_view name, ControlKind kind) {
  Control* control = Find(name);
  ui::RequireKind({layout_.name, name}, *control->spec, kind);
  return control;
}

QWidget* FormWindow::Widget(std::string_view name) {
  Control* control = Lookup(name);
  return control ? control->widget : nullptr;
}

QAction* FormWindow::Action(std::string_view name) {
  Control* control = Lookup(name);
  return control ? control->action : nullptr;
}

QTabBar* FormWindow::Bar(std::string_view strip) {
  return static_cast<TabStripWidget*>(Find(strip, ControlKind::TabStrip)->widget)->bar();
}

void FormWindow::SetText(std::string_view name, std::string_view text) {
  Control* control = Find(name);
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
    case ControlKind::TextBox: static_cast<QLineEdit*>(control->widget)->setText(display); break;
    default: break;
  }
}

std::string FormWindow::Text(std::string_view name) {
  Control* control = Find(name);
  if (control->spec->kind == ControlKind::DropDownList) {
    return ToStdString(static_cast<QComboBox*>(control->widget)->currentText());
  }
  if (control->spec->kind == ControlKind::TextBox) {
    return ToStdString(static_cast<QLineEdit*>(control->widget)->text());
  }
  return control->text;
}

void FormWindow::SetTextColor(std::string_view name, ui::Color color) {
  Control* control = Find(name);
  if (!control->widget) return;
  QPalette palette = control->widget->palette();
  const QColor qcolor = ToQColor(color, QApplication::palette());
  palette.setColor(QPalette::WindowText, qcolor);
  palette.setColor(QPalette::ButtonText, qcolor);
  control->widget->setPalette(palette);
}

void FormWindow::SetVisible(std::string_view name, bool visible) {
  Control* control = Find(name);
  if (control->widget) control->widget->setVisible(visible);
  if (control->action) control->action->setVisible(visible);
}

// The control's own flag: a control on a hidden page still reads visible.
bool FormWindow::Visible(std::string_view name) {
  Control* control = Find(name);
  if (control->widget) return !control->widget->isHidden();
  if (control->action) return control->action->isVisible();
  return true;
}

void FormWindow::SetEnabled(std::string_view name, bool enabled) {
  Control* control = Find(name);
  if (control->widget) control->widget->setEnabled(enabled);
  if (control->action) control->action->setEnabled(enabled);
  if (control->timer) enabled ? control->timer->start() : control->timer->stop();
}

// Line breaks come as "\r\n"; Qt breaks a plain tooltip at the "\n".
void FormWindow::SetToolTip(std::string_view name, std::string_view tooltip) {
  Control* control = Find(name);
  if (control->widget) control->widget->setToolTip(ToQString(tooltip).remove('\r'));
}

// ------------------------------------------------------------ drop-down lists

QComboBox* FormWindow::List(std::string_view name) {
  return static_cast<QComboBox*>(Find(name, ControlKind::DropDownList)->widget);
}

void FormWindow::ClearItems(std::string_view name) { List(name)->clear(); }

// Adding to an empty list would show the new item; the program's lists show
// nothing until told which item.
void FormWindow::AddItem(std::string_view name, std::string_view text) {
  QComboBox* list = List(name);
  const int shown = list->currentIndex();
  list->addItem(ToQString(text));
  list->setCurrentIndex(shown);
}

void FormWindow::ShowItem(std::string_view name, std::string_view text) {
  QComboBox* list = List(name);
  const int index = list->findText(ToQString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index < 0) ui::ThrowNoItem({layout_.name, name}, text);
  list->setCurrentIndex(index);
}

// ------------------------------------------------------------ tab strips

int FormWindow::TabCount(std::string_view strip) { return Bar(strip)->count(); }

// Tabs the program removes or adds raise no click: only the user's choice does.
void FormWindow::RemoveTab(std::string_view strip, int index) {
  QTabBar* bar = Bar(strip);
  if (index < 1 || index > bar->count()) return;
  const QSignalBlocker quiet(bar);
  bar->removeTab(index - 1);
}

void FormWindow::AppendTab(std::string_view strip, std::string_view caption) {
  QTabBar* bar = Bar(strip);
  const QSignalBlocker quiet(bar);
  bar->addTab(ToQString(caption));
}

void FormWindow::SetTabTooltip(std::string_view strip, int index, std::string_view tooltip) {
  QTabBar* bar = Bar(strip);
  if (index >= 1 && index <= bar->count()) bar->setTabToolTip(index - 1, ToQString(tooltip));
}

int FormWindow::SelectedTab(std::string_view strip) { return Bar(strip)->currentIndex() + 1; }

// The bar's change signal raises the strip's Click, which the caller runs itself.
void FormWindow::SetSelectedTab(std::string_view strip, int index) {
  QTabBar* bar = Bar(strip);
  if (index < 1 || index > bar->count()) return;
  const QSignalBlocker quiet(bar);
  bar->setCurrentIndex(index - 1);
}

// ------------------------------------------------------------ timers

int FormWindow::Interval(std::string_view name) {
  return Find(name, ControlKind::Timer)->timer->interval();
}

// A running timer starts counting the new interval from now.
void FormWindow::SetInterval(std::string_view name, int milliseconds) {
  Find(name, ControlKind::Timer)->timer->setInterval(milliseconds);
}

}  // namespace zorvanel::qt

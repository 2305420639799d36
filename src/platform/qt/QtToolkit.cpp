#include "platform/qt/QtToolkit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QScreen>
#include <QTabBar>
#include <algorithm>
#include <exception>

#include "platform/qt/ControlWidgets.h"
#include "platform/qt/Look.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/Twips.h"
#include "platform/ui/BadRequests.h"

namespace zorvanel::qt {

namespace {

double ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInch() : kStandardDpi;
}

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  window.adjustSize();
  const QRect area = screen->availableGeometry();
  window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
}

}  // namespace

QtToolkit::QtToolkit(ui::WindowFactory& factory, QtToolkitOptions options)
    : factory_(factory),
      dpi_(options.dpi > 0 ? options.dpi : ScreenDpi()),
      programFolder_(options.programFolder.empty()
                         ? ToStdString(QCoreApplication::applicationDirPath())
                         : options.programFolder),
      quit_(options.quit ? std::move(options.quit) : [] { QCoreApplication::exit(0); }) {}

// Topmost first, so that a dialog goes before the owner that would delete it.
QtToolkit::~QtToolkit() {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) delete it->data();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// ------------------------------------------------------------ windows

FormWindow& QtToolkit::Load(std::string_view name, FormWindow* owner) {
  FormWindow::Hooks hooks{
      [this](FormWindow& window, const ui::Event& event) { Deliver(window, event); },
      [this](FormWindow& window) { UserClosed(window); }};
  auto* window = new FormWindow(factory_.Layout(name), dpi_, owner, std::move(hooks));
  window->SetLogic(factory_.CreateLogic(name));
  windows_.emplace_back(window);
  window->StartTimers();
  return *window;
}

bool QtToolkit::Start(std::string_view name) {
  FormWindow& window = Load(name, nullptr);
  try {
    window.logic().Form_Load();
  } catch (const std::exception& error) {
    Fail(error);
  }
  if (ended_ || !IsLoaded(name)) return false;
  CentreOnScreen(window);
  // The tab strip has the keyboard at start, so typed codes reach it.
  if (auto* strip = window.findChild<QTabBar*>()) strip->setFocus();
  window.show();
  return true;
}

// The call returns when the window closes: by its close box, by Close, or
// by the end of the program.
void QtToolkit::ShowModal(std::string_view name, std::string_view owner) {
  QPointer<FormWindow> window = &Load(name, Window(owner));
  window->logic().Form_Load();
  if (ended_ || !window || !IsLoaded(name)) return;
  window->setWindowModality(Qt::ApplicationModal);
  window->exec();
  if (window && IsLoaded(name)) Unload(*window);
}

FormWindow* QtToolkit::Window(std::string_view name) {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if (*it && (*it)->name() == name) return it->data();
  }
  return nullptr;
}

// A handler of the window may still be running, so the window and its logic
// are deleted when control is back in the event loop.
void QtToolkit::Unload(FormWindow& window) {
  std::erase_if(windows_, [&](const QPointer<FormWindow>& w) { return !w || w == &window; });
  window.StopTimers();
  window.done(QDialog::Rejected);  // hides it, and returns from its exec
  window.deleteLater();
}

void QtToolkit::Close(std::string_view name) {
  if (FormWindow* window = Window(name)) Unload(*window);
}

// The windows over it (the modal ones it owns) close first. The program ends
// when its last window is closed.
void QtToolkit::UserClosed(FormWindow& window) {
  if (ended_ || !Window(window.name())) return;
  while (!windows_.empty() && windows_.back() != &window) {
    QPointer<FormWindow> top = windows_.back();
    if (top) Unload(*top); else windows_.pop_back();
  }
  Unload(window);
  if (windows_.empty()) EndProgram();
}

void QtToolkit::EndProgram() {
  if (ended_) return;
  ended_ = true;
  while (!windows_.empty()) {
    QPointer<FormWindow> top = windows_.back();
    if (top) Unload(*top); else windows_.pop_back();
  }
  quit_();
}

void QtToolkit::Deliver(FormWindow& window, const ui::Event& event) {
  if (ended_ || Window(window.name()) != &window) return;
  // Nothing may be thrown through Qt's event loop.
  try {
    window.logic().OnEvent(event);
  } catch (const std::exception& error) {
    Fail(error);
  }
}

// A fault of the program's own: reported, and the program ends.
void QtToolkit::Fail(const std::exception& error) {
  qCritical("zorvanel: %s", error.what());
  EndProgram();
}

std::string QtToolkit::Caption(std::string_view name) {
  return ToStdString(Target(name).windowTitle());
}

std::uintptr_t QtToolkit::NativeHandle(std::string_view name) {
  FormWindow* window = Window(name);
  return window ? static_cast<std::uintptr_t>(window->winId()) : 0;
}

void QtToolkit::SetCurrentDirectory(std::string_view folder) {
  QDir::setCurrent(ToQString(folder));
}

QWidget* QtToolkit::TopWindow() {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if (*it && (*it)->isVisible()) return it->data();
  }
  return nullptr;
}

ui::Answer QtToolkit::MessageBox(std::string_view text, ui::Buttons buttons, ui::Icon icon,
                                 std::string_view title) {
  if (ended_) return buttons == ui::Buttons::OK ? ui::Answer::OK : ui::Answer::Yes;
  return ShowMessageBox(TopWindow(), text, buttons, icon, title);
}

// ------------------------------------------------------------ controls

FormWindow& QtToolkit::Target(std::string_view name) {
  FormWindow* window = Window(name);
  if (!window) ui::ThrowNotLoaded(name);
  return *window;
}

QWidget* QtToolkit::ControlWidget(ui::ControlRef c) {
  FormWindow* window = Window(c.window);
  return window ? window->Widget(c.control) : nullptr;
}

void QtToolkit::SetText(ui::ControlRef c, std::string_view text) {
  Target(c.window).SetText(c.control, text);
}
std::string QtToolkit::Text(ui::ControlRef c) { return Target(c.window).Text(c.control); }
void QtToolkit::SetTextColor(ui::ControlRef c, ui::Color color) {
  Target(c.window).SetTextColor(c.control, color);
}
void QtToolkit::SetVisible(ui::ControlRef c, bool visible) {
  Target(c.window).SetVisible(c.control, visible);
}
bool QtToolkit::Visible(ui::ControlRef c) { return Target(c.window).Visible(c.control); }
void QtToolkit::SetEnabled(ui::ControlRef c, bool enabled) {
  Target(c.window).SetEnabled(c.control, enabled);
}
void QtToolkit::SetToolTip(ui::ControlRef c, std::string_view tooltip) {
  Target(c.window).SetToolTip(c.control, tooltip);
}
void QtToolkit::ClearItems(ui::ControlRef c) { Target(c.window).ClearItems(c.control); }
void QtToolkit::AddItem(ui::ControlRef c, std::string_view text) {
  Target(c.window).AddItem(c.control, text);
}
void QtToolkit::ShowItem(ui::ControlRef c, std::string_view text) {
  Target(c.window).ShowItem(c.control, text);
}
int QtToolkit::TabCount(ui::ControlRef c) { return Target(c.window).TabCount(c.control); }
void QtToolkit::RemoveTab(ui::ControlRef c, int index) {
  Target(c.window).RemoveTab(c.control, index);
}
void QtToolkit::AppendTab(ui::ControlRef c, std::string_view caption) {
  Target(c.window).AppendTab(c.control, caption);
}
void QtToolkit::SetTabTooltip(ui::ControlRef c, int index, std::string_view tooltip) {
  Target(c.window).SetTabTooltip(c.control, index, tooltip);
}
void QtToolkit::SetSelectedTab(ui::ControlRef c, int index) {
  Target(c.window).SetSelectedTab(c.control, index);
}
int QtToolkit::SelectedTab(ui::ControlRef c) { return Target(c.window).SelectedTab(c.control); }
int QtToolkit::Interval(ui::ControlRef c) { return Target(c.window).Interval(c.control); }
void QtToolkit::SetInterval(ui::ControlRef c, int milliseconds) {
  Target(c.window).SetInterval(c.control, milliseconds);
}

}  // namespace zorvanel::qt

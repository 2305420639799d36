#pragma once
// The toolkit seam on Qt 6 Widgets: any window layout rendered with real
// widgets, events handed to the window's logic, modal windows and message
// boxes on nested event loops (the timers keep ticking in them).

#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/FormWindow.h"
#include "platform/ui/Toolkit.h"

namespace zorvanel::qt {

struct QtToolkitOptions {
  // Pixels per inch the layouts are converted at; 0 takes the primary
  // screen's logical DPI.
  double dpi = 0;
  // The program's folder; empty takes the folder of the running program.
  std::string programFolder;
  // How the end of the program leaves the main event loop; empty quits the
  // application.
  std::function<void()> quit;
};

class QtToolkit : public ui::Toolkit {
 public:
  // A QApplication must exist first.
  explicit QtToolkit(ui::WindowFactory& factory, QtToolkitOptions options = {});
  ~QtToolkit() override;
  QtToolkit(const QtToolkit&) = delete;
  QtToolkit& operator=(const QtToolkit&) = delete;

  // Loads the main window, runs its load step and, unless the program ended
  // there, shows it centred on the screen. Returns whether it was shown.
  bool Start(std::string_view window);
  bool Ended() const { return ended_; }
  double Dpi() const { return dpi_; }

  // For tests and screenshots: a loaded window, one of its controls, or a
  // menu entry; null when there is none.
  FormWindow* Window(std::string_view window);
  QWidget* ControlWidget(ui::ControlRef control);

  ui::Answer MessageBox(std::string_view text, ui::Buttons buttons, ui::Icon icon,
                        std::string_view title) override;
  void ShowModal(std::string_view window, std::string_view owner) override;
  bool IsLoaded(std::string_view window) override { return Window(window) != nullptr; }
  void Close(std::string_view window) override;
  std::string Caption(std::string_view window) override;
  std::uintptr_t NativeHandle(std::string_view window) override;
  void EndProgram() override;
  std::string ProgramFolder() override { return programFolder_; }
  void SetCurrentDirectory(std::string_view folder) override;

  void SetText(ui::ControlRef c, std::string_view text) override;
  std::string Text(ui::ControlRef c) override;
  void SetTextColor(ui::ControlRef c, ui::Color color) override;
  void SetVisible(ui::ControlRef c, bool visible) override;
  bool Visible(ui::ControlRef c) override;
  void SetEnabled(ui::ControlRef c, bool enabled) override;
  void SetToolTip(ui::ControlRef c, std::string_view tooltip) override;
  void ClearItems(ui::ControlRef list) override;
  void AddItem(ui::ControlRef list, std::string_view text) override;
  void ShowItem(ui::ControlRef list, std::string_view text) override;
  int TabCount(ui::ControlRef strip) override;
  void RemoveTab(ui::ControlRef strip, int index) override;
  void AppendTab(ui::ControlRef strip, std::string_view caption) override;
  void SetTabTooltip(ui::ControlRef strip, int index, std::string_view tooltip) override;
  int SelectedTab(ui::ControlRef strip) override;
  void SetSelectedTab(ui::ControlRef strip, int index) override;
  int Interval(ui::ControlRef timer) override;
  void SetInterval(ui::ControlRef timer, int milliseconds) override;

 private:
  FormWindow& Load(std::string_view window, FormWindow* owner);
  void Unload(FormWindow& window);
  void Deliver(FormWindow& window, const ui::Event& event);
  void UserClosed(FormWindow& window);
  // The window a request names; throws ui::BadRequest when it is not loaded.
  FormWindow& Target(std::string_view window);
  void Fail(const std::exception& error);
  QWidget* TopWindow();

  ui::WindowFactory& factory_;
  double dpi_;
  std::string programFolder_;
  std::function<void()> quit_;
  std::vector<QPointer<FormWindow>> windows_;  // loaded, bottom first
  bool ended_ = false;
};

}  // namespace zorvanel::qt

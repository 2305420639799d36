#pragma once
// One loaded window: a fixed-size top-level widget holding the controls of
// its layout, and the logic behind them. The window owns its logic, so that
// deleting it later (a handler may still be running) frees both together.

#include <QComboBox>
#include <QDialog>
#include <QTabBar>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/qt/FormControls.h"
#include "platform/ui/Layout.h"
#include "platform/ui/Toolkit.h"

namespace zorvanel::qt {

class FormWindow : public QDialog {
 public:
  struct Hooks {
    std::function<void(FormWindow&, const ui::Event&)> raise;  // a control's event
    std::function<void(FormWindow&)> userClosed;              // the close box
  };

  // A window without owner is a main window; one with an owner is a dialog
  // over it.
  FormWindow(const ui::WindowLayout& layout, double dpi, QWidget* owner, Hooks hooks);
  ~FormWindow() override;

  const std::string& name() const { return layout_.name; }
  ui::WindowLogic& logic() { return *logic_; }
  void SetLogic(std::unique_ptr<ui::WindowLogic> logic) { logic_ = std::move(logic); }

  // Timers run from the window's load until it is unloaded.
  void StartTimers();
  void StopTimers();

  // The control's widget (null for timers and menu entries, or an unknown
  // name). The requests below throw ui::BadRequest for an unknown name.
  QWidget* Widget(std::string_view control);
  QAction* Action(std::string_view control);

  void SetText(std::string_view control, std::string_view text);
  std::string Text(std::string_view control);
  void SetTextColor(std::string_view control, ui::Color color);
  void SetVisible(std::string_view control, bool visible);
  bool Visible(std::string_view control);
  void SetEnabled(std::string_view control, bool enabled);
  void SetToolTip(std::string_view control, std::string_view tooltip);

  void ClearItems(std::string_view list);
  void AddItem(std::string_view list, std::string_view text);
  void ShowItem(std::string_view list, std::string_view text);

  int TabCount(std::string_view strip);
  void RemoveTab(std::string_view strip, int index);
  void AppendTab(std::string_view strip, std::string_view caption);
  void SetTabTooltip(std::string_view strip, int index, std::string_view tooltip);
  int SelectedTab(std::string_view strip);
  void SetSelectedTab(std::string_view strip, int index);

  int Interval(std::string_view timer);
  void SetInterval(std::string_view timer, int milliseconds);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Control* Lookup(std::string_view control);  // null when there is none
  Control* Find(std::string_view control);
  Control* Find(std::string_view control, ui::ControlKind kind);
  QComboBox* List(std::string_view list);
  QTabBar* Bar(std::string_view strip);

  const ui::WindowLayout& layout_;
  Hooks hooks_;
  std::vector<Control> controls_;
  std::unique_ptr<ui::WindowLogic> logic_;
};

}  // namespace zorvanel::qt

#pragma once
// The controls of one window, built from its layout and found by name.

#include <QAction>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Layout.h"
#include "platform/ui/Toolkit.h"

namespace zorvanel::qt {

struct Control {
  const ui::ControlSpec* spec = nullptr;
  QWidget* widget = nullptr;   // every kind but timers and menu entries
  QTimer* timer = nullptr;     // timers
  QAction* action = nullptr;   // menu entries
  std::string text;            // as the program last set it, line breaks as CR LF
};

// Where the controls go and where their events are sent.
struct BuildTarget {
  QWidget* client = nullptr;    // the window's client area
  QMenuBar* menuBar = nullptr;  // made when the layout has menu entries
  double dpi = 96.0;
  std::function<void(const ui::Event&)> raise;
};

// Makes every control of the layout in the layout's order (containers first),
// each at its place, with its look, visibility and events.
std::vector<Control> BuildControls(const ui::WindowLayout& layout, BuildTarget& target);

}  // namespace zorvanel::qt

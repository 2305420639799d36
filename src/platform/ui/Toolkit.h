#pragma once
// The user-interface toolkit seam: what the window logic asks of the
// windowing layer. A headless toolkit (tests, replay), Qt (Linux) and Win32
// stand behind it; each renders the same layouts (Layout.h).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/Color.h"
#include "platform/ui/MessageBoxes.h"

namespace zorvanel::ui {

struct WindowLayout;

enum class EventKind { Click, KeyPress, Timer };

struct Event {
  std::string_view control;
  EventKind kind = EventKind::Click;
  int key = 0;  // the typed character code of a KeyPress
};

// The logic behind one window: its load step and its event handlers.
class WindowLogic {
 public:
  virtual ~WindowLogic() = default;
  // Runs once, after the window's controls exist and before it is first shown.
  virtual void Form_Load() {}
  virtual void OnEvent(const Event& event) = 0;
};

// How a toolkit finds the layout and makes the logic of a window it is asked
// to open.
class WindowFactory {
 public:
  virtual ~WindowFactory() = default;
  virtual const WindowLayout& Layout(std::string_view window) const = 0;
  virtual std::unique_ptr<WindowLogic> CreateLogic(std::string_view window) = 0;
};

struct ControlRef {
  std::string_view window;
  std::string_view control;
};

class Toolkit : public MessageBoxes {
 public:
  // Windows, by name ("frmMainframe").
  // Shows the window modally over its owner; returns when it is closed
  // (a headless toolkit returns at once and keeps it open).
  virtual void ShowModal(std::string_view window, std::string_view owner) = 0;
  virtual bool IsLoaded(std::string_view window) = 0;
  virtual void Close(std::string_view window) = 0;
  virtual std::string Caption(std::string_view window) = 0;
  virtual std::uintptr_t NativeHandle(std::string_view window) = 0;
  // Ends the program at once; no further handler runs.
  virtual void EndProgram() = 0;

  // The folder that holds the program file, and the current directory.
  virtual std::string ProgramFolder() = 0;
  virtual void SetCurrentDirectory(std::string_view folder) = 0;

  // Controls. Text is a label's text, a button's or frame's caption, or the
  // text a drop-down list shows.
  virtual void SetText(ControlRef control, std::string_view text) = 0;
  virtual std::string Text(ControlRef control) = 0;
  virtual void SetTextColor(ControlRef control, Color color) = 0;
  virtual void SetVisible(ControlRef control, bool visible) = 0;
  virtual bool Visible(ControlRef control) = 0;
  virtual void SetEnabled(ControlRef control, bool enabled) = 0;
  // The text shown while the mouse rests on the control; empty for none.
  virtual void SetToolTip(ControlRef control, std::string_view tooltip) = 0;

  // Drop-down lists.
  virtual void ClearItems(ControlRef list) = 0;
  virtual void AddItem(ControlRef list, std::string_view text) = 0;
  virtual void ShowItem(ControlRef list, std::string_view text) = 0;

  // Tab strips; indexes are 1-based.
  virtual int TabCount(ControlRef strip) = 0;
  virtual void RemoveTab(ControlRef strip, int index) = 0;
  virtual void AppendTab(ControlRef strip, std::string_view caption) = 0;
  virtual void SetTabTooltip(ControlRef strip, int index, std::string_view tooltip) = 0;
  virtual int SelectedTab(ControlRef strip) = 0;

  // Timers.
  virtual int Interval(ControlRef timer) = 0;
  virtual void SetInterval(ControlRef timer, int milliseconds) = 0;
};

}  // namespace zorvanel::ui

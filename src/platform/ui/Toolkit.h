#pragma once
// The user-interface toolkit seam: what the window logic asks of the
// windowing layer. A headless toolkit (tests, replay), Qt (Linux) and Win32
// stand behind it; each renders the same layouts (Layout.h).

#include <cstdint>
#include <memory>
#include <stdexcept>
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

// A request no toolkit can carry out: a fault of the program's own, never of
// the user or of the data the program read.
class BadRequest : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Every toolkit answers the program's requests alike (one contract suite runs
// on each of them):
// - A control request throws BadRequest, and changes nothing, when the window
//   is not loaded, when its layout has no such control, or when the control
//   is of the wrong kind: item requests need a drop-down list, tab requests a
//   tab strip, Interval and SetInterval a timer.
// - ShowItem, and SetText of a drop-down list, throw BadRequest for an item
//   the list does not hold; the list goes on showing what it showed.
// - Caption of a window that is not loaded throws BadRequest.
// - Requests that find nothing to do are no faults: Close of a window that is
//   not loaded, RemoveTab and SetTabTooltip of a tab index the strip does not
//   have. IsLoaded is then false and NativeHandle 0.
// - A request raises no event: only the user's actions do.
// - A fault that escapes a handler ends the program, after the toolkit has
//   reported it (the headless toolkit hands it to whoever drives it).
// - EndProgram unloads every window; the last window the user closes ends the
//   program too. No handler runs after the end.
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
  // Selects the tab without raising the strip's Click: the caller runs what
  // the click would.
  virtual void SetSelectedTab(ControlRef strip, int index) = 0;

  // Timers.
  virtual int Interval(ControlRef timer) = 0;
  virtual void SetInterval(ControlRef timer, int milliseconds) = 0;
};

}  // namespace zorvanel::ui

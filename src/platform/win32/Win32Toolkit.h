#pragma once
// The toolkit seam on native Windows controls. Every window is built from
// its layout (no second copy of it), its controls' events go to the window's
// logic one at a time, and message boxes are the system's own.

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/Toolkit.h"
#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Window.h"

namespace zorvanel::win32 {

class Win32Toolkit : public ui::Toolkit {
 public:
  Win32Toolkit();
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  void Attach(ui::WindowFactory& factory) { factory_ = &factory; }

  // Loads the window (its load step runs), shows it, and runs the message
  // loop until the program ends.
  void Run(std::string_view window);
  // Loads and shows the window, and returns (tests run the loop themselves).
  void Start(std::string_view window);
  // Dispatches the messages that are waiting, then returns.
  void DispatchPending();
  bool Ended() const { return ended_; }
  // The native window of a control, for tests that act as the user would.
  HWND ControlHandle(ui::ControlRef control) { return Control(control).hwnd; }

  // --- From the windows.
  void Raise(Win32Window& window, const ui::Event& event);
  // The user closed the window with its close box, or another program asked
  // it to close.
  void UserClose(Win32Window& window);
  // The window's native window is gone; the toolkit did not destroy it.
  void Destroyed(Win32Window& window);

  // --- The program's side.
  ui::Answer MessageBox(std::string_view text, ui::Buttons buttons, ui::Icon icon,
                        std::string_view title) override;
  void ShowModal(std::string_view window, std::string_view owner) override;
  bool IsLoaded(std::string_view window) override { return Loaded(window) != nullptr; }
  void Close(std::string_view window) override;
  std::string Caption(std::string_view window) override;
  std::uintptr_t NativeHandle(std::string_view window) override;
  void EndProgram() override;
  std::string ProgramFolder() override;
  void SetCurrentDirectory(std::string_view folder) override;

  void SetText(ui::ControlRef control, std::string_view text) override;
  std::string Text(ui::ControlRef control) override;
  void SetTextColor(ui::ControlRef control, ui::Color color) override;
  void SetVisible(ui::ControlRef control, bool visible) override;
  bool Visible(ui::ControlRef control) override;
  void SetEnabled(ui::ControlRef control, bool enabled) override;
  void SetToolTip(ui::ControlRef control, std::string_view tooltip) override;
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
  Win32Window* Load(std::string_view name, HWND owner);
  Win32Window* Loaded(std::string_view name);
  void Unload(Win32Window& window);
  void CloseWithOwned(Win32Window& window);
  Win32Window* TopOwnedBy(const Win32Window& owner);
  Win32Control& Control(ui::ControlRef ref);
  Win32Control& Control(ui::ControlRef ref, ui::ControlKind kind);
  // Dispatches messages until done() says so or the program ends.
  void Pump(const std::function<bool()>& done);
  // A fault of the program's own: reported, and the program ends.
  void Fail(const std::exception& error);

  Gdi gdi_;
  ui::WindowFactory* factory_ = nullptr;
  std::vector<std::unique_ptr<Win32Window>> windows_;  // loaded, bottom first
  // A closed window's logic may still be running the handler that closed
  // it, so it is kept until the toolkit goes.
  std::vector<std::unique_ptr<Win32Window>> closed_;
  bool ended_ = false;
};

}  // namespace zorvanel::win32

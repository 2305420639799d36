#pragma once
// One native top-level window built from its layout: its controls by name,
// its menu bar and timers, and the messages its controls send.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Layout.h"
#include "platform/ui/Toolkit.h"
#include "platform/win32/Win32Control.h"
#include "platform/win32/Win32Gdi.h"

namespace zorvanel::win32 {

class Win32Toolkit;

class Win32Window {
 public:
  // Creates the window hidden, with every control of the layout; its timers
  // run from now on. A modal window is owned by owner, which it disables
  // while it is shown.
  Win32Window(Win32Toolkit& toolkit, const ui::WindowLayout& layout, HWND owner, Gdi& gdi);
  ~Win32Window();
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  const std::string& name() const { return layout_.name; }
  HWND hwnd() const { return hwnd_; }
  HWND owner() const { return owner_; }
  Gdi& gdi() { return gdi_; }
  bool closed() const { return hwnd_ == nullptr; }

  void SetLogic(std::unique_ptr<ui::WindowLogic> logic) { logic_ = std::move(logic); }
  ui::WindowLogic& logic() { return *logic_; }

  Win32Control* Find(std::string_view control);

  // Shows the window centred on the screen, or over its owner, with the
  // keyboard on its tab strip.
  void Show();
  void Destroy();

  // Gives the control a tooltip, which asks for its text when it shows.
  void AddToolTip(Win32Control& control);

  // Starts the timer at its interval, or stops it.
  void RunTimer(Win32Control& timer);

  // The top-level windows' procedure.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void CreateControls();
  void CreateMenuBar(HMENU menuBar);
  HWND ContainerWindow(const ui::ControlSpec& spec);
  Win32Control* ControlOfWindow(HWND hwnd);
  Win32Control* ControlWithId(UINT id, ui::ControlKind kind);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR& header, LPARAM lParam);
  LRESULT OnControlColor(HDC dc, HWND control);
  void OnActivate(bool active);
  void Raise(Win32Control& control, ui::EventKind kind, int key = 0);

  static LRESULT CALLBACK TabStripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  Win32Toolkit& toolkit_;
  const ui::WindowLayout& layout_;
  HWND owner_;
  Gdi& gdi_;
  HWND hwnd_ = nullptr;
  HWND tooltips_ = nullptr;  // the tooltips of controls other than tab strips
  HWND focus_ = nullptr;  // the control that had the keyboard when the window lost it
  std::vector<Win32Control> controls_;  // never resized: controls' windows point into it
  std::unique_ptr<ui::WindowLogic> logic_;
};

}  // namespace zorvanel::win32

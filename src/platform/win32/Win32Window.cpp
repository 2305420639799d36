#include "platform/win32/Win32Window.h"

#include <algorithm>
#include <map>

#include "platform/win32/Win32Controls.h"
#include "platform/win32/Win32Toolkit.h"

namespace zorvanel::win32 {

namespace {

using ui::ControlKind;

// Child, menu and timer ids: the control's place in the layout from here on.
constexpr UINT kFirstId = 100;

bool IsMenu(const Win32Control& control) { return control.spec->kind == ControlKind::Menu; }

// Hands a tooltip its text, in the character set it asks for.
void FillTip(const NMHDR& header, LPARAM lParam, const std::string& tip) {
  if (header.code == TTN_GETDISPINFOA) {
    reinterpret_cast<NMTTDISPINFOA*>(lParam)->lpszText = const_cast<char*>(tip.c_str());
  } else if (header.code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    const int length = ::MultiByteToWideChar(CP_ACP, 0, tip.c_str(), -1, info->szText,
                                             ARRAYSIZE(info->szText));
    if (length == 0) info->szText[ARRAYSIZE(info->szText) - 1] = L'\0';
    info->lpszText = info->szText;
  }
}

}  // namespace

Win32Window::Win32Window(Win32Toolkit& toolkit, const ui::WindowLayout& layout, HWND owner,
                         Gdi& gdi)
    : toolkit_(toolkit), layout_(layout), owner_(owner), gdi_(gdi) {
  controls_.reserve(layout.controls.size());
  for (const auto& spec : layout.controls) {
    Win32Control& control = controls_.emplace_back();
    control.spec = &spec;
    control.window = this;
    control.id = kFirstId + static_cast<UINT>(controls_.size() - 1);
    control.fore = spec.fore;
    control.back = spec.back;
    control.visible = spec.visible;
    control.enabled = spec.enabled;
    control.interval = spec.interval;
    for (const auto& tab : spec.tabs) control.tooltips.push_back(tab.tooltip);
  }

  // The main window has a fixed border and a task-bar button; the About box
  // is a dialog frame owned by the main window, so it has none.
  const bool mainWindow = layout.showInTaskbar;
  const DWORD style = (mainWindow ? WS_OVERLAPPED | WS_MINIMIZEBOX : WS_POPUP) | WS_CAPTION |
                      WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = mainWindow ? 0 : WS_EX_DLGMODALFRAME;
  HMENU menuBar = nullptr;
  if (std::any_of(controls_.begin(), controls_.end(), IsMenu)) {
    menuBar = ::CreateMenu();
    CreateMenuBar(menuBar);
  }
  RECT frame{0, 0, gdi.Pixels(layout.clientWidth), gdi.Pixels(layout.clientHeight)};
  ::AdjustWindowRectEx(&frame, style, menuBar != nullptr, exStyle);
  hwnd_ = ::CreateWindowExA(exStyle, kTopLevelClass, layout.caption.c_str(), style,
                            CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                            frame.bottom - frame.top, owner, menuBar,
                            ::GetModuleHandleA(nullptr), this);
  if (!hwnd_) {
    if (menuBar) ::DestroyMenu(menuBar);
    return;
  }
  CreateControls();
}

Win32Window::~Win32Window() { Destroy(); }

void Win32Window::CreateMenuBar(HMENU menuBar) {
  std::map<std::string_view, HMENU> popups;
  auto hasItems = [&](const Win32Control& entry) {
    return std::any_of(controls_.begin(), controls_.end(), [&](const Win32Control& other) {
      return IsMenu(other) && other.spec->container == entry.spec->name;
    });
  };
  for (const auto& entry : controls_) {
    if (!IsMenu(entry) || !entry.spec->container.empty()) continue;
    if (hasItems(entry)) {
      HMENU popup = ::CreatePopupMenu();
      popups[entry.spec->name] = popup;
      ::AppendMenuA(menuBar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                    entry.spec->text.c_str());
    } else {
      ::AppendMenuA(menuBar, MF_STRING, entry.id, entry.spec->text.c_str());
    }
  }
  for (const auto& entry : controls_) {
    if (!IsMenu(entry) || entry.spec->container.empty()) continue;
    auto popup = popups.find(entry.spec->container);
    if (popup != popups.end()) {
      ::AppendMenuA(popup->second, MF_STRING, entry.id, entry.spec->text.c_str());
    }
  }
}

HWND Win32Window::ContainerWindow(const ui::ControlSpec& spec) {
  if (spec.container.empty()) return hwnd_;
  Win32Control* container = Find(spec.container);
  return container && container->hwnd ? container->hwnd : hwnd_;
}

// The tab strip lies under the pages that share its area, and hands the keys
// typed on it to the window's logic.
void Win32Window::CreateControls() {
  for (auto& control : controls_) {
    if (IsMenu(control)) continue;
    CreateNativeControl(control, ContainerWindow(*control.spec), gdi_);
    if (control.spec->kind == ControlKind::Timer) RunTimer(control);
  }
  for (auto& strip : controls_) {
    if (strip.spec->kind != ControlKind::TabStrip || !strip.hwnd) continue;
    strip.nativeProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        strip.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TabStripProc)));
    ::SetWindowPos(strip.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

Win32Control* Win32Window::Find(std::string_view control) {
  for (auto& candidate : controls_) {
    if (candidate.spec->name == control) return &candidate;
  }
  return nullptr;
}

Win32Control* Win32Window::ControlOfWindow(HWND hwnd) {
  if (!hwnd) return nullptr;
  for (auto& candidate : controls_) {
    if (candidate.hwnd == hwnd) return &candidate;
  }
  return nullptr;
}

Win32Control* Win32Window::ControlWithId(UINT id, ControlKind kind) {
  if (id < kFirstId || id - kFirstId >= controls_.size()) return nullptr;
  Win32Control& control = controls_[id - kFirstId];
  return control.spec->kind == kind ? &control : nullptr;
}

void Win32Window::Show() {
  if (!hwnd_) return;
  RECT window;
  ::GetWindowRect(hwnd_, &window);
  RECT area;
  if (owner_) {
    ::GetWindowRect(owner_, &area);
  } else {
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  ::SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(hwnd_, SW_SHOW);
  ::UpdateWindow(hwnd_);
  ::SetForegroundWindow(hwnd_);
  OnActivate(true);
}

void Win32Window::Destroy() {
  HWND hwnd = hwnd_;
  hwnd_ = nullptr;
  if (hwnd) ::DestroyWindow(hwnd);
}

// The tooltip subclasses the control to see the mouse; labels are made with
// SS_NOTIFY, so they receive it. A width limit makes it break at "\r\n".
void Win32Window::AddToolTip(Win32Control& control) {
  if (!hwnd_ || !control.hwnd) return;
  if (!tooltips_) {
    tooltips_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (!tooltips_) return;
    ::SendMessageA(tooltips_, TTM_SETMAXTIPWIDTH, 0, gdi_.Pixels(5655));
  }
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;  // the size every comctl32 version knows
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(control.hwnd);
  tool.lpszText = LPSTR_TEXTCALLBACKA;
  ::SendMessageA(tooltips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32Window::RunTimer(Win32Control& timer) {
  if (!hwnd_) return;
  if (timer.enabled && timer.interval > 0) {
    ::SetTimer(hwnd_, timer.id, static_cast<UINT>(timer.interval), nullptr);
  } else {
    ::KillTimer(hwnd_, timer.id);
  }
}

LRESULT CALLBACK Win32Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* window = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    window->hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<Win32Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (window && window->hwnd_ == hwnd) return window->HandleMessage(message, wParam, lParam);
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
    case WM_CTLCOLORSTATIC:
      return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_TIMER:
      if (Win32Control* timer = ControlWithId(static_cast<UINT>(wParam), ControlKind::Timer)) {
        Raise(*timer, ui::EventKind::Timer);
      }
      return 0;
    case WM_ERASEBKGND: {
      RECT area;
      ::GetClientRect(hwnd_, &area);
      ::FillRect(reinterpret_cast<HDC>(wParam), &area, gdi_.Brush(layout_.background));
      return 1;
    }
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_CLOSE:
      toolkit_.UserClose(*this);
      return 0;
    case WM_NCDESTROY: {
      // The last message a window gets. Destroy clears hwnd_ first, so this
      // is a window that Windows destroyed on the program's behalf: with its
      // owner, say.
      HWND hwnd = hwnd_;
      hwnd_ = nullptr;
      toolkit_.Destroyed(*this);
      return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    default:
      return ::DefWindowProcA(hwnd_, message, wParam, lParam);
  }
}

// Buttons and option buttons report a click, labels too (they are made to
// notify), and a drop-down list a new selection.
void Win32Window::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT code = HIWORD(wParam);
  if (lParam == 0) {
    Win32Control* entry = code == 0 ? ControlWithId(LOWORD(wParam), ControlKind::Menu) : nullptr;
    if (entry) Raise(*entry, ui::EventKind::Click);
    return;
  }
  Win32Control* control = ControlOfWindow(reinterpret_cast<HWND>(lParam));
  if (!control) return;
  switch (control->spec->kind) {
    case ControlKind::Button:
    case ControlKind::OptionButton:
    case ControlKind::Label:
      if (code == BN_CLICKED) Raise(*control, ui::EventKind::Click);
      break;
    case ControlKind::DropDownList:
      if (code == CBN_SELCHANGE) Raise(*control, ui::EventKind::Click);
      break;
    default:
      break;
  }
}

// A tab strip's change of tab is its click; its tooltips ask for their text
// by the tab's index.
LRESULT Win32Window::OnNotify(const NMHDR& header, LPARAM lParam) {
  if (tooltips_ && header.hwndFrom == tooltips_) {
    Win32Control* control = ControlOfWindow(reinterpret_cast<HWND>(header.idFrom));
    if (control && !control->tooltips.empty()) FillTip(header, lParam, control->tooltips.front());
    return 0;
  }
  for (auto& strip : controls_) {
    if (strip.spec->kind != ControlKind::TabStrip || !strip.hwnd) continue;
    if (header.hwndFrom == strip.hwnd && header.code == TCN_SELCHANGE) {
      Raise(strip, ui::EventKind::Click);
      return 0;
    }
    const auto tooltip = reinterpret_cast<HWND>(::SendMessageA(strip.hwnd, TCM_GETTOOLTIPS, 0, 0));
    if (header.hwndFrom != tooltip || header.idFrom >= strip.tooltips.size()) continue;
    FillTip(header, lParam, strip.tooltips[header.idFrom]);
    return 0;
  }
  return 0;
}

LRESULT Win32Window::OnControlColor(HDC dc, HWND hwnd) {
  Win32Control* control = ControlOfWindow(hwnd);
  if (!control) {
    return ::DefWindowProcA(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(hwnd));
  }
  ::SetTextColor(dc, Gdi::Resolve(control->fore));
  ::SetBkColor(dc, Gdi::Resolve(control->back));
  return reinterpret_cast<LRESULT>(gdi_.Brush(control->back));
}

// The keyboard goes back where it was when the window is activated again,
// and the first time to the tab strip, so typed keys reach it, or else to the
// first text box.
void Win32Window::OnActivate(bool active) {
  if (!active) {
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(hwnd_, focus)) focus_ = focus;
    return;
  }
  if (!focus_ || !::IsWindow(focus_)) {
    auto firstOf = [&](ControlKind kind) -> HWND {
      for (const Win32Control& control : controls_) {
        if (control.spec->kind == kind && control.hwnd) return control.hwnd;
      }
      return nullptr;
    };
    HWND first = firstOf(ControlKind::TabStrip);
    if (!first) first = firstOf(ControlKind::TextBox);
    focus_ = first ? first : hwnd_;
  }
  ::SetFocus(focus_);
}

// A timer can tick before the window's logic is in place, while the window
// is still being loaded.
void Win32Window::Raise(Win32Control& control, ui::EventKind kind, int key) {
  if (closed() || !logic_) return;
  toolkit_.Raise(*this, ui::Event{control.spec->name, kind, key});
}

// Keys typed on the tab strip reach the window's logic, which only reads
// them; the tab strip then handles each key as it would anyway.
LRESULT CALLBACK Win32Window::TabStripProc(HWND hwnd, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  auto* control = reinterpret_cast<Win32Control*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  const WNDPROC nativeProc = control->nativeProc;
  if (message == WM_CHAR) {
    control->window->Raise(*control, ui::EventKind::KeyPress, static_cast<int>(wParam));
    if (!::IsWindow(hwnd)) return 0;  // the key ended the program
  }
  return ::CallWindowProcA(nativeProc, hwnd, message, wParam, lParam);
}

}  // namespace zorvanel::win32

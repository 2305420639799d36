// The toolkit's control operations on native controls.

#include <vector>

#include "platform/ui/BadRequests.h"
#include "platform/win32/Win32Toolkit.h"

namespace zorvanel::win32 {

namespace {

using ui::ControlKind;

std::string WindowText(HWND hwnd) {
  const int length = ::GetWindowTextLengthA(hwnd);
  std::vector<char> text(static_cast<std::size_t>(length) + 1);
  const int copied = ::GetWindowTextA(hwnd, text.data(), length + 1);
  return std::string(text.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

// The list's item with exactly this text, or CB_ERR.
LRESULT FindItem(HWND list, std::string_view text) {
  const std::string item(text);
  return ::SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(item.c_str()));
}

}  // namespace

Win32Control& Win32Toolkit::Control(ui::ControlRef ref) {
  Win32Window* window = Loaded(ref.window);
  if (!window) ui::ThrowNotLoaded(ref.window);
  Win32Control* control = window->Find(ref.control);
  if (!control) ui::ThrowNoControl(ref);
  return *control;
}

Win32Control& Win32Toolkit::Control(ui::ControlRef ref, ui::ControlKind kind) {
  Win32Control& control = Control(ref);
  ui::RequireKind(ref, *control.spec, kind);
  return control;
}

void Win32Toolkit::SetText(ui::ControlRef ref, std::string_view text) {
  Win32Control& control = Control(ref);
  if (control.spec->kind == ControlKind::DropDownList) return ShowItem(ref, text);
  if (control.hwnd) ::SetWindowTextA(control.hwnd, std::string(text).c_str());
}

std::string Win32Toolkit::Text(ui::ControlRef ref) {
  Win32Control& control = Control(ref);
  return control.hwnd ? WindowText(control.hwnd) : control.spec->text;
}

void Win32Toolkit::SetTextColor(ui::ControlRef ref, ui::Color color) {
  Win32Control& control = Control(ref);
  control.fore = color;
  if (control.hwnd) ::InvalidateRect(control.hwnd, nullptr, TRUE);
}

// A control's own visibility: a label on a hidden page is still "visible".
void Win32Toolkit::SetVisible(ui::ControlRef ref, bool visible) {
  Win32Control& control = Control(ref);
  control.visible = visible;
  if (control.hwnd) ::ShowWindow(control.hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32Toolkit::Visible(ui::ControlRef ref) {
  Win32Control& control = Control(ref);
  if (!control.hwnd) return control.visible;
  return (::GetWindowLongA(control.hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Toolkit::SetToolTip(ui::ControlRef ref, std::string_view tooltip) {
  Win32Control& control = Control(ref);
  const bool added = !control.tooltips.empty();
  control.tooltips.assign(1, std::string(tooltip));
  if (!added) control.window->AddToolTip(control);
}

void Win32Toolkit::SetEnabled(ui::ControlRef ref, bool enabled) {
  Win32Control& control = Control(ref);
  control.enabled = enabled;
  if (control.hwnd) ::EnableWindow(control.hwnd, enabled);
  if (control.spec->kind == ControlKind::Timer) control.window->RunTimer(control);
  if (control.spec->kind == ControlKind::Menu) {
    HWND top = control.window->hwnd();
    ::EnableMenuItem(::GetMenu(top), control.id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    ::DrawMenuBar(top);
  }
}

// ---------------------------------------------------------------- lists

void Win32Toolkit::ClearItems(ui::ControlRef ref) {
  Win32Control& control = Control(ref, ControlKind::DropDownList);
  ::SendMessageA(control.hwnd, CB_RESETCONTENT, 0, 0);
}

void Win32Toolkit::AddItem(ui::ControlRef ref, std::string_view text) {
  Win32Control& control = Control(ref, ControlKind::DropDownList);
  const std::string item(text);
  ::SendMessageA(control.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void Win32Toolkit::ShowItem(ui::ControlRef ref, std::string_view text) {
  Win32Control& control = Control(ref, ControlKind::DropDownList);
  const LRESULT index = FindItem(control.hwnd, text);
  if (index == CB_ERR) ui::ThrowNoItem(ref, text);
  ::SendMessageA(control.hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// ---------------------------------------------------------------- tab strips

int Win32Toolkit::TabCount(ui::ControlRef ref) {
  return static_cast<int>(
      ::SendMessageA(Control(ref, ControlKind::TabStrip).hwnd, TCM_GETITEMCOUNT, 0, 0));
}

void Win32Toolkit::RemoveTab(ui::ControlRef ref, int index) {
  Win32Control& control = Control(ref, ControlKind::TabStrip);
  if (index < 1 || index > TabCount(ref)) return;
  ::SendMessageA(control.hwnd, TCM_DELETEITEM, static_cast<WPARAM>(index - 1), 0);
  control.tooltips.erase(control.tooltips.begin() + (index - 1));
}

void Win32Toolkit::AppendTab(ui::ControlRef ref, std::string_view caption) {
  Win32Control& control = Control(ref, ControlKind::TabStrip);
  std::string text(caption);
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  ::SendMessageA(control.hwnd, TCM_INSERTITEMA, static_cast<WPARAM>(TabCount(ref)),
                 reinterpret_cast<LPARAM>(&item));
  control.tooltips.emplace_back();
}

void Win32Toolkit::SetTabTooltip(ui::ControlRef ref, int index, std::string_view tooltip) {
  Win32Control& control = Control(ref, ControlKind::TabStrip);
  if (index >= 1 && index <= static_cast<int>(control.tooltips.size())) {
    control.tooltips[static_cast<std::size_t>(index - 1)] = tooltip;
  }
}

int Win32Toolkit::SelectedTab(ui::ControlRef ref) {
  return static_cast<int>(
             ::SendMessageA(Control(ref, ControlKind::TabStrip).hwnd, TCM_GETCURSEL, 0, 0)) + 1;
}

// TCM_SETCURSEL sends no change notice, so no Click is raised.
void Win32Toolkit::SetSelectedTab(ui::ControlRef ref, int index) {
  if (index < 1 || index > TabCount(ref)) return;
  ::SendMessageA(Control(ref, ControlKind::TabStrip).hwnd, TCM_SETCURSEL, static_cast<WPARAM>(index - 1), 0);
}

// ---------------------------------------------------------------- timers

int Win32Toolkit::Interval(ui::ControlRef ref) {
  return Control(ref, ControlKind::Timer).interval;
}

// Setting the interval starts the count anew, as it does for a timer control.
void Win32Toolkit::SetInterval(ui::ControlRef ref, int milliseconds) {
  Win32Control& control = Control(ref, ControlKind::Timer);
  control.interval = milliseconds;
  control.window->RunTimer(control);
}

}  // namespace zorvanel::win32

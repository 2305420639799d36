#include "platform/win32/Win32Controls.h"

#include <algorithm>

#include "platform/win32/Win32Resources.h"
#include "platform/win32/Win32Window.h"

namespace zorvanel::win32 {

namespace {

using ui::ControlKind;

constexpr const char* kFrameClass = "ZorvanelFrame";
constexpr const char* kLineClass = "ZorvanelLine";
// How far a frame's caption starts from its left edge.
constexpr int kCaptionIndent = 6;
// How much a drop-down list shows below its box when opened.
constexpr int kDropDownHeight = 220;

Win32Control* ControlOf(HWND hwnd) {
  return reinterpret_cast<Win32Control*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// Frames hold controls, so what their controls tell their parent goes on to
// the top-level window, which knows every control.
bool ForwardsToTopLevel(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return true;
    default:
      return false;
  }
}

// A group box: an etched border whose top runs through the middle of the
// caption; borderless frames (pages) only fill their background.
void PaintFrame(HWND hwnd, Win32Control& control) {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(hwnd, &paint);
  Gdi& gdi = control.window->gdi();
  RECT area;
  ::GetClientRect(hwnd, &area);
  ::FillRect(dc, &area, gdi.Brush(control.back));
  if (!control.spec->borderless) {
    char caption[256];
    const int length = ::GetWindowTextA(hwnd, caption, sizeof caption);
    HGDIOBJ oldFont = ::SelectObject(dc, gdi.Font(control.spec->font));
    SIZE text{0, 0};
    ::GetTextExtentPoint32A(dc, caption, length, &text);
    RECT border = area;
    border.top = text.cy / 2;
    ::DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    if (length > 0) {
      ::SetTextColor(dc, Gdi::Resolve(control.fore));
      ::SetBkColor(dc, Gdi::Resolve(control.back));
      ::SetBkMode(dc, OPAQUE);
      ::TextOutA(dc, kCaptionIndent, 0, caption, length);
    }
    ::SelectObject(dc, oldFont);
  }
  ::EndPaint(hwnd, &paint);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32Control* control = ControlOf(hwnd);
  if (ForwardsToTopLevel(message)) {
    return ::SendMessageA(::GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
  }
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole frame
    case WM_PAINT:
      if (control) {
        PaintFrame(hwnd, *control);
        return 0;
      }
      break;
    case WM_SETTEXT: {
      const LRESULT result = ::DefWindowProcA(hwnd, message, wParam, lParam);
      ::InvalidateRect(hwnd, nullptr, TRUE);
      return result;
    }
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK LineProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32Control* control = ControlOf(hwnd);
  if (message == WM_PAINT && control) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(hwnd, &paint);
    RECT area;
    ::GetClientRect(hwnd, &area);
    ::FillRect(dc, &area, control->window->gdi().Brush(control->fore));
    ::EndPaint(hwnd, &paint);
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

void Register(const char* name, WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  if (std::string_view(name) == kTopLevelClass) {
    windowClass.hIcon = ProgramIcon();
    windowClass.hIconSm = ProgramIcon();
  }
  ::RegisterClassExA(&windowClass);  // fails harmlessly when already registered
}

struct NativeKind {
  const char* windowClass;
  DWORD style;
};

DWORD AlignmentStyle(ui::Align align) {
  switch (align) {
    case ui::Align::Left: return SS_LEFT;
    case ui::Align::Center: return SS_CENTER;
    case ui::Align::Right: return SS_RIGHT;
  }
  return SS_LEFT;
}

NativeKind KindOf(const ui::ControlSpec& spec) {
  switch (spec.kind) {
    case ControlKind::Label:
      return {"STATIC", SS_NOTIFY | SS_NOPREFIX | AlignmentStyle(spec.align)};
    case ControlKind::Frame: return {kFrameClass, WS_CLIPCHILDREN | WS_CLIPSIBLINGS};
    case ControlKind::Button: return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::OptionButton: return {"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP};
    case ControlKind::DropDownList:
      return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::TextBox: return {"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
    case ControlKind::TabStrip:
      return {WC_TABCONTROLA, TCS_TOOLTIPS | WS_TABSTOP | WS_CLIPSIBLINGS};
    case ControlKind::Line: return {kLineClass, 0};
    case ControlKind::Image: return {"STATIC", SS_ICON};
    case ControlKind::Timer:
    case ControlKind::Menu:
      break;
  }
  return {nullptr, 0};
}

// A rule is a line one pixel thick from its start to its end.
RECT ControlRect(const ui::ControlSpec& spec, const Gdi& gdi) {
  RECT rect = gdi.PixelRect(spec.twips);
  if (spec.kind == ControlKind::Line) {
    rect.right = std::max(rect.right, rect.left + 1);
    rect.bottom = std::max(rect.bottom, rect.top + 1);
  }
  if (spec.kind == ControlKind::DropDownList) rect.bottom += kDropDownHeight;
  return rect;
}

void FillTabs(HWND strip, const std::vector<ui::Tab>& tabs) {
  for (const auto& tab : tabs) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(tab.caption.c_str());
    const auto count = ::SendMessageA(strip, TCM_GETITEMCOUNT, 0, 0);
    ::SendMessageA(strip, TCM_INSERTITEMA, static_cast<WPARAM>(count),
                   reinterpret_cast<LPARAM>(&item));
  }
}

void FillList(HWND list, const ui::ControlSpec& spec) {
  for (const auto& item : spec.items) {
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  ::SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(spec.text.c_str()));
}

}  // namespace

HICON ProgramIcon() {
  HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
  return icon ? icon : ::LoadIconA(nullptr, IDI_APPLICATION);
}

void RegisterWindowClasses(WNDPROC windowProc) {
  INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&commonControls);
  Register(kTopLevelClass, windowProc);
  Register(kFrameClass, FrameProc);
  Register(kLineClass, LineProc);
}

void CreateNativeControl(Win32Control& control, HWND parent, Gdi& gdi) {
  const ui::ControlSpec& spec = *control.spec;
  const NativeKind kind = KindOf(spec);
  if (!kind.windowClass) return;
  DWORD style = WS_CHILD | kind.style;
  if (spec.visible) style |= WS_VISIBLE;
  if (!spec.enabled) style |= WS_DISABLED;
  const RECT rect = ControlRect(spec, gdi);
  const char* text = spec.kind == ControlKind::DropDownList ? "" : spec.text.c_str();
  control.hwnd = ::CreateWindowExA(0, kind.windowClass, text, style, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(control.id)),
                                   ::GetModuleHandleA(nullptr), nullptr);
  if (!control.hwnd) return;
  ::SetWindowLongPtrA(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
  ::SendMessageA(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(gdi.Font(spec.font)), FALSE);
  switch (spec.kind) {
    case ControlKind::TabStrip: FillTabs(control.hwnd, spec.tabs); break;
    case ControlKind::DropDownList: FillList(control.hwnd, spec); break;
    case ControlKind::Image:
      ::SendMessageA(control.hwnd, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIcon()), 0);
      break;
    default: break;
  }
}

}  // namespace zorvanel::win32

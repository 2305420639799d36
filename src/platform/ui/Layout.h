#pragma once
// Window layouts as data: described once, rendered by every toolkit.
// Positions are twips (1/1440 inch) relative to the control's container.

#include <string>
#include <vector>

#include "platform/ui/Color.h"

namespace zorvanel::ui {

enum class ControlKind {
  Label,
  Frame,         // a group frame with a caption, or a borderless page
  Button,
  OptionButton,  // one exclusive pair per container
  DropDownList,  // pick an item; no typing
  TextBox,       // one line the user types; its text is what was typed
  TabStrip,
  Timer,
  Line,          // a rule from (left, top) to (left + width, top + height)
  Image,
  Menu,          // container "" is the menu bar, otherwise the parent menu
};

enum class Align { Left, Center, Right };

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

struct Font {
  double points = 8.25;
  bool bold = false;
  bool underline = false;
};

struct Tab {
  std::string caption;
  std::string tooltip;
};

struct ControlSpec {
  std::string name;
  ControlKind kind = ControlKind::Label;
  std::string container;  // "" for the window itself
  Rect twips;
  std::string text;       // label text, caption, or the list's shown item
  Color fore = kWindowText;
  Color back = kButtonFace;  // the default control background
  Font font;
  Align align = Align::Left;
  bool visible = true;
  bool enabled = true;
  bool borderless = false;  // frames used as pages
  std::vector<std::string> items;  // drop-down lists
  std::vector<Tab> tabs;           // tab strips
  int interval = 0;                // timers, in milliseconds
};

struct WindowLayout {
  std::string name;
  std::string caption;
  int clientWidth = 0;   // twips
  int clientHeight = 0;
  Color background = kButtonFace;
  Font font;
  bool showInTaskbar = true;
  std::vector<ControlSpec> controls;  // containers come before what they hold

  const ControlSpec* Find(std::string_view control) const;
};

}  // namespace zorvanel::ui

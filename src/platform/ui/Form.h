#pragma once
// A window's controls by name: the toolkit's control operations bound to one
// window, so that handlers read like the window they work on.

#include <string>
#include <string_view>

#include "platform/ui/Toolkit.h"

namespace zorvanel::ui {

class Form {
 public:
  Form(Toolkit& toolkit, std::string_view window) : toolkit_(toolkit), window_(window) {}

  Toolkit& toolkit() const { return toolkit_; }
  std::string_view name() const { return window_; }

  void SetText(std::string_view c, std::string_view text) { toolkit_.SetText(Ref(c), text); }
  std::string Text(std::string_view c) { return toolkit_.Text(Ref(c)); }
  void SetTextColor(std::string_view c, Color color) { toolkit_.SetTextColor(Ref(c), color); }
  void SetVisible(std::string_view c, bool visible) { toolkit_.SetVisible(Ref(c), visible); }
  bool Visible(std::string_view c) { return toolkit_.Visible(Ref(c)); }
  void SetEnabled(std::string_view c, bool enabled) { toolkit_.SetEnabled(Ref(c), enabled); }
  void SetToolTip(std::string_view c, std::string_view tip) { toolkit_.SetToolTip(Ref(c), tip); }

  void ClearItems(std::string_view c) { toolkit_.ClearItems(Ref(c)); }
  void AddItem(std::string_view c, std::string_view text) { toolkit_.AddItem(Ref(c), text); }
  void ShowItem(std::string_view c, std::string_view text) { toolkit_.ShowItem(Ref(c), text); }

  int TabCount(std::string_view c) { return toolkit_.TabCount(Ref(c)); }
  void RemoveTab(std::string_view c, int index) { toolkit_.RemoveTab(Ref(c), index); }
  void AppendTab(std::string_view c, std::string_view caption) {
    toolkit_.AppendTab(Ref(c), caption);
  }
  void SetTabTooltip(std::string_view c, int index, std::string_view tip) {
    toolkit_.SetTabTooltip(Ref(c), index, tip);
  }
  int SelectedTab(std::string_view c) { return toolkit_.SelectedTab(Ref(c)); }
  void SetSelectedTab(std::string_view c, int index) { toolkit_.SetSelectedTab(Ref(c), index); }

  int Interval(std::string_view c) { return toolkit_.Interval(Ref(c)); }
  void SetInterval(std::string_view c, int ms) { toolkit_.SetInterval(Ref(c), ms); }

 private:
  ControlRef Ref(std::string_view control) const { return {window_, control}; }

  Toolkit& toolkit_;
  std::string_view window_;
};

}  // namespace zorvanel::ui

#include "platform/ui/Layout.h"

#include <algorithm>

namespace zorvanel::ui {

const ControlSpec* WindowLayout::Find(std::string_view control) const {
  auto it = std::find_if(controls.begin(), controls.end(),
                         [&](const ControlSpec& spec) { return spec.name == control; });
  return it == controls.end() ? nullptr : &*it;
}

}  // namespace zorvanel::ui

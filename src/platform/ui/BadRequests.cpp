#include "platform/ui/BadRequests.h"

#include <string>

namespace zorvanel::ui {

namespace {

std::string Name(ControlRef control) {
  return std::string(control.window) + "." + std::string(control.control);
}

std::string_view KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::DropDownList: return "drop-down list";
    case ControlKind::TabStrip: return "tab strip";
    case ControlKind::Timer: return "timer";
    default: return "control of that kind";
  }
}

}  // namespace

void ThrowNotLoaded(std::string_view window) {
  throw BadRequest("window " + std::string(window) + " is not loaded");
}

void ThrowNoControl(ControlRef control) { throw BadRequest("no control " + Name(control)); }

void ThrowNoItem(ControlRef list, std::string_view item) {
  throw BadRequest("no item \"" + std::string(item) + "\" in " + Name(list));
}

void RequireKind(ControlRef control, const ControlSpec& spec, ControlKind kind) {
  if (spec.kind != kind) throw BadRequest(Name(control) + " is no " + std::string(KindName(kind)));
}

}  // namespace zorvanel::ui

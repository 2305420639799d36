#pragma once
// The checks every toolkit makes of the program's requests, so that they all
// refuse the same requests with the same words (the contract in Toolkit.h).

#include <string_view>

#include "platform/ui/Layout.h"
#include "platform/ui/Toolkit.h"

namespace zorvanel::ui {

[[noreturn]] void ThrowNotLoaded(std::string_view window);
[[noreturn]] void ThrowNoControl(ControlRef control);
[[noreturn]] void ThrowNoItem(ControlRef list, std::string_view item);
// Throws unless the control is of the kind the request needs.
void RequireKind(ControlRef control, const ControlSpec& spec, ControlKind kind);

}  // namespace zorvanel::ui

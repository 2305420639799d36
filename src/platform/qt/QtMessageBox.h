#pragma once
#include <QWidget>
#include <string_view>

#include "platform/ui/MessageBoxes.h"

namespace zorvanel::qt {

// A modal message box over `owner` (or the screen): the text as plain text,
// the icon and buttons asked for, the first button the default. Returns the
// button that closed it; closing it otherwise counts as the last button.
ui::Answer ShowMessageBox(QWidget* owner, std::string_view text, ui::Buttons buttons,
                          ui::Icon icon, std::string_view title);

}  // namespace zorvanel::qt

#pragma once
// The Settings page's tab: taken away when the fix must not be applied as
// detected, and given back by the manual version choice.

#include "platform/ui/Form.h"

namespace zorvanel::detect {

void RemoveSettingsTab(ui::Form& form);
// Appends the tab unless the strip already has all three.
void RestoreSettingsTab(ui::Form& form);

}  // namespace zorvanel::detect

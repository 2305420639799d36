#pragma once
// The user's choice across driver updates: the rates of the last successful
// write, kept under the product key, offered again when a new driver has
// emptied its mode values.

#include "modes/ModeTable.h"
#include "platform/registry/mdlRegistry.h"

namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::modes {

// The 19 rates in grid order, comma-separated, "-" for no rate.
void StoreLastChoice(registry::mdlRegistry& registry, const Selection& selection);

// Removes the stored choice, when there is one: after an undo or a loaded
// backup the machine no longer holds those rates, and a driver update must
// not offer them again.
void ForgetLastChoice(registry::mdlRegistry& registry);

// Asks whether to choose the stored rates again; Yes shows them in the
// grid (rates beyond the first rateCount of a resolution's list stay
// unchosen) and opens the Settings page. Nothing is asked without a stored
// choice that names at least one rate.
void OfferLastChoice(app::frmMainframe& window, int rateCount);

}  // namespace zorvanel::modes

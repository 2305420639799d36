#include "modes/RateGrid.h"

#include <algorithm>
#include <charconv>

#include "app/frmMainframe.h"
#include "modes/ModeLists.h"

namespace zorvanel::modes {

// The lists grow one item at a time across all 19 boxes, as the toolkit's
// lists did when this was first written; the outcome is the same either way.
void FillRateLists(app::frmMainframe& window, int count) {
  ui::Form& form = window.form();
  window.fields.OfferedRates = std::min(count, static_cast<int>(kRateCount));
  for (const auto& resolution : kResolutions) form.ClearItems(resolution.box);
  for (int i = 0; i <= count && i <= static_cast<int>(kRateCount); ++i) {
    const std::string_view item = i == 0 ? kNoRate : kRates[i - 1].text;
    for (const auto& resolution : kResolutions) form.AddItem(resolution.box, item);
  }
  for (const auto& resolution : kResolutions) form.ShowItem(resolution.box, kNoRate);
}

Selection ReadSelection(app::frmMainframe& window) {
  Selection selection;
  for (std::size_t r = 0; r < kResolutionCount; ++r) {
    selection[r] = window.form().Text(kResolutions[r].box);
  }
  return selection;
}

std::optional<int> ChosenHertz(const std::string& boxText) {
  if (!RateIndex(boxText)) return std::nullopt;
  int hertz = 0;
  std::from_chars(boxText.data(), boxText.data() + boxText.size(), hertz);
  return hertz;
}

void cmdDeselect_Click(app::frmMainframe& window) {
  for (const auto& resolution : kResolutions) window.form().ShowItem(resolution.box, kNoRate);
}

}  // namespace zorvanel::modes

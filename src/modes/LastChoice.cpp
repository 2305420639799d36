#include "modes/LastChoice.h"

#include <optional>
#include <string_view>

#include "app/ProductKey.h"
#include "app/frmMainframe.h"
#include "modes/ModeLists.h"
#include "modes/SettingsTexts.h"

namespace zorvanel::modes {

namespace {

using registry::HKEY_LOCAL_MACHINE;

constexpr std::string_view kNoRateMark = "-";
constexpr int kSettingsTab = 3;

// The stored choice as a selection; nullopt when it is not 19 entries or
// names no rate. Entries that are not rates count as no rate.
// Entries are parted by commas; a comma at the very end parts off nothing.
std::optional<Selection> ParseChoice(std::string_view text) {
  Selection selection;
  std::size_t count = 0;
  bool anyRate = false;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view entry = text.substr(0, comma);
    text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
    if (count == kResolutionCount) return std::nullopt;
    const bool rate = RateIndex(entry).has_value();
    selection[count++] = rate ? std::string(entry) : std::string(kNoRate);
    anyRate = anyRate || rate;
  }
  if (count != kResolutionCount || !anyRate) return std::nullopt;
  return selection;
}

// One line for each chosen rate: "1024x768: 85 Hz".
std::string ChoiceList(const Selection& selection) {
  std::string list;
  for (std::size_t r = 0; r < kResolutionCount; ++r) {
    if (!RateIndex(selection[r])) continue;
    list += "\r\n" + std::string(kResolutions[r].box.substr(3)) + ": " + selection[r] + " Hz";
  }
  return list;
}

}  // namespace

void StoreLastChoice(registry::mdlRegistry& registry, const Selection& selection) {
  std::string text;
  for (std::size_t r = 0; r < kResolutionCount; ++r) {
    if (r > 0) text += ',';
    text += RateIndex(selection[r]) ? selection[r] : std::string(kNoRateMark);
  }
  registry.SetStringValue(HKEY_LOCAL_MACHINE, app::kProductKey, app::kLastChoiceValue, text);
}

void OfferLastChoice(app::frmMainframe& window, int rateCount) {
  registry::mdlRegistry& registry = window.registry();
  if (!registry.ValueExists(HKEY_LOCAL_MACHINE, app::kProductKey, app::kLastChoiceValue)) return;
  const auto choice = ParseChoice(
      registry.GetStringValue(HKEY_LOCAL_MACHINE, app::kProductKey, app::kLastChoiceValue));
  if (!choice) return;
  const std::string question =
      std::string(texts::kDriverUpdateQuestion) + "\r\n" + ChoiceList(*choice);
  if (window.platform().ui.MessageBox(question, ui::Buttons::YesNo, ui::Icon::Question,
                                      texts::kDriverUpdateTitle) != ui::Answer::Yes) {
    return;
  }
  ui::Form& form = window.form();
  for (std::size_t r = 0; r < kResolutionCount; ++r) {
    const auto index = RateIndex((*choice)[r]);
    if (index && static_cast<int>(*index) < rateCount) form.ShowItem(kResolutions[r].box, (*choice)[r]);
  }
  form.SetSelectedTab("tbsMain", kSettingsTab);
  app::tbsMain_Click(window);
}

}  // namespace zorvanel::modes

#include "modes/MonitorChoices.h"

#include "app/frmMainframe.h"
#include "modes/MonitorLimits.h"
#include "modes/RateGrid.h"
#include "modes/SettingsTexts.h"

namespace zorvanel::modes {

namespace {

// "640x480 at 100 Hz (needs 50.9 kHz)" for each choice beyond the limits,
// in grid order.
std::string ChoicesBeyond(const KnownLimits& limits, const Selection& selection) {
  std::string lines;
  for (std::size_t r = 0; r < kResolutionCount; ++r) {
    const auto hertz = ChosenHertz(selection[r]);
    if (!hertz) continue;
    const auto breach = Breach(limits, kResolutions[r], *hertz);
    if (!breach) continue;
    lines += "\r\n" + std::string(kResolutions[r].box.substr(3)) + " at " +
             std::to_string(*hertz) + " Hz " + *breach;
  }
  return lines;
}

}  // namespace

bool ProceedBeyondMonitor(app::frmMainframe& window, const Selection& selection) {
  if (!window.monitorLimits) return true;
  const std::string choices = ChoicesBeyond(*window.monitorLimits, selection);
  if (choices.empty()) return true;
  const std::string text = std::string(texts::kBeyondMonitorFirst) +
                           LimitsText(window.monitorLimits->range) +
                           std::string(texts::kBeyondMonitorChoices) + choices +
                           std::string(texts::kBeyondMonitorLast);
  return window.platform().ui.MessageBox(text, ui::Buttons::YesNo, ui::Icon::Exclamation,
                                         texts::kBeyondMonitorTitle) == ui::Answer::Yes;
}

void cmdBestRates_Click(app::frmMainframe& window) {
  if (!window.monitorLimits) return;
  const int offered = window.fields.OfferedRates;
  for (const Resolution& resolution : kResolutions) {
    std::string_view best = kNoRate;
    for (int i = 0; i < offered; ++i) {
      const int hertz = *ChosenHertz(std::string(kRates[i].text));
      if (hertz <= GroupLimit(resolution.group) &&
          !Breach(*window.monitorLimits, resolution, hertz)) {
        best = kRates[i].text;
      }
    }
    window.form().ShowItem(resolution.box, best);
  }
}

}  // namespace zorvanel::modes

#include "modes/Apply.h"

#include <charconv>
#include <string>

#include "app/frmMainframe.h"
#include "modes/RateGrid.h"
#include "modes/SettingsTexts.h"
#include "modes/WriteModeTable.h"

namespace zorvanel::modes {

namespace {

// The rate a box shows, in hertz; nullopt for "<Select!>".
std::optional<int> ChosenHertz(const std::string& boxText) {
  if (!RateIndex(boxText)) return std::nullopt;
  int hertz = 0;
  std::from_chars(boxText.data(), boxText.data() + boxText.size(), hertz);
  return hertz;
}

bool NothingChosen(const Selection& selection) {
  for (const auto& text : selection) {
    if (ChosenHertz(text)) return false;
  }
  return true;
}

// The rates each validation group passes without a warning; the limit itself passes.
constexpr int kHighGroupLimit = 85;
constexpr int kLowGroupLimit = 75;

// Whether a resolution of the group shows a rate above the limit.
bool AnyAbove(const Selection& selection, ValidationGroup group, int limit) {
  for (std::size_t r = 0; r < kResolutionCount; ++r) {
    const auto hertz = ChosenHertz(selection[r]);
    if (kResolutions[r].group == group && hertz && *hertz > limit) return true;
  }
  return false;
}

// Asks whether to go on despite the warning; true on Yes.
bool ProceedDespite(ui::MessageBoxes& boxes, std::string_view first, std::string_view last) {
  std::string text(first);
  text += texts::kRateWarningSymptoms;
  text += last;
  return boxes.MessageBox(text, ui::Buttons::YesNo, ui::Icon::Critical,
                          texts::kRateWarningTitle) == ui::Answer::Yes;
}

}  // namespace

void cmdApply_Click(app::frmMainframe& window) {
  ui::Toolkit& ui = window.platform().ui;
  const Selection selection = ReadSelection(window);
  if (NothingChosen(selection)) {
    texts::Show(ui, texts::kNoRateChosen);
    return;
  }
  if (AnyAbove(selection, ValidationGroup::High, kHighGroupLimit) &&
      !ProceedDespite(ui, texts::kHighRateWarningFirst, texts::kHighRateWarningLast)) {
    return;
  }
  if (AnyAbove(selection, ValidationGroup::Low, kLowGroupLimit) &&
      !ProceedDespite(ui, texts::kLowRateWarningFirst, texts::kLowRateWarningLast)) {
    return;
  }
  WriteModeTable(window, selection);
}

}  // namespace zorvanel::modes

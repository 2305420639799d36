#include "modes/Apply.h"

#include <string>

#include "app/frmMainframe.h"
#include "modes/MonitorChoices.h"
#include "modes/RateGrid.h"
#include "modes/SettingsTexts.h"
#include "modes/WriteModeTable.h"

namespace zorvanel::modes {

namespace {

bool NothingChosen(const Selection& selection) {
  for (const auto& text : selection) {
    if (ChosenHertz(text)) return false;
  }
  return true;
}

// Whether a resolution of the group shows a rate above the group's limit;
// the limit itself passes.
bool AnyAbove(const Selection& selection, ValidationGroup group) {
  const int limit = GroupLimit(group);
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
  if (AnyAbove(selection, ValidationGroup::High) &&
      !ProceedDespite(ui, texts::kHighRateWarningFirst, texts::kHighRateWarningLast)) {
    return;
  }
  if (AnyAbove(selection, ValidationGroup::Low) &&
      !ProceedDespite(ui, texts::kLowRateWarningFirst, texts::kLowRateWarningLast)) {
    return;
  }
  if (!ProceedBeyondMonitor(window, selection)) return;
  WriteModeTable(window, selection);
}

}  // namespace zorvanel::modes

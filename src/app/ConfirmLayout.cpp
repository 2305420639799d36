#include "app/ConfirmLayout.h"

#include "app/MainframeLayout.h"
#include "app/WindowNames.h"

namespace zorvanel::app {

std::string CountdownText(int seconds) { return "Undo in " + std::to_string(seconds) + " s"; }

namespace {

using ui::ControlKind;

constexpr ui::Font kBold{8.25, true, false};

ui::WindowLayout BuildLayout() {
  return {.name = kConfirm,
          .caption = kMainframeCaption,
          .clientWidth = 4800,
          .clientHeight = 1935,
          .controls = {
              {.name = "lblMessage", .twips = {120, 120, 4560, 615},
               .text = std::string(kConfirmText)},
              {.name = "lblCountdown", .twips = {120, 840, 4560, 255},
               .text = CountdownText(kCountdownSeconds), .fore = ui::kRed, .font = kBold},
              {.name = "cmdKeep", .kind = ControlKind::Button, .twips = {1080, 1320, 1215, 375},
               .text = "Keep"},
              {.name = "cmdUndo", .kind = ControlKind::Button, .twips = {2520, 1320, 1215, 375},
               .text = "Undo now"},
              {.name = "tmrCountdown", .kind = ControlKind::Timer, .interval = 1000},
          }};
}

}  // namespace

const ui::WindowLayout& ConfirmLayout() {
  static const ui::WindowLayout layout = BuildLayout();
  return layout;
}

}  // namespace zorvanel::app

#include "app/MonitorLimitsLayout.h"

#include <string>

#include "app/WindowNames.h"
#include "modes/MonitorTexts.h"

namespace zorvanel::app {

namespace {

using ui::ControlKind;

constexpr int kFieldLeft = 2640;
constexpr int kFieldWidth = 1575;
constexpr int kRowPitch = 420;

// One row: its caption on the left, the field it names on the right.
void AddField(std::vector<ui::ControlSpec>& c, int row, std::string label, std::string field,
              std::string caption) {
  const int top = 135 + row * kRowPitch;
  c.push_back({.name = std::move(label), .twips = {120, top + 45, 2415, 255},
               .text = std::move(caption)});
  c.push_back({.name = std::move(field), .kind = ControlKind::TextBox,
               .twips = {kFieldLeft, top, kFieldWidth, 315}});
}

ui::WindowLayout BuildLayout() {
  ui::WindowLayout layout{.name = kMonitorLimits,
                          .caption = std::string(modes::texts::kLimitsWindowCaption),
                          .clientWidth = 4335,
                          .clientHeight = 1995,
                          .showInTaskbar = false};
  auto& c = layout.controls;
  AddField(c, 0, "lblHorizontal", "txtHorizontal", "Horizontal range (kHz):");
  AddField(c, 1, "lblVertical", "txtVertical", "Vertical range (Hz):");
  AddField(c, 2, "lblPixelClock", "txtPixelClock", "Maximum pixel clock (MHz):");
  c.push_back({.name = "cmdOK", .kind = ControlKind::Button, .twips = {120, 1455, 1215, 375},
               .text = "OK"});
  c.push_back({.name = "cmdCancel", .kind = ControlKind::Button,
               .twips = {1440, 1455, 1215, 375}, .text = "Cancel"});
  c.push_back({.name = "cmdUseDetected", .kind = ControlKind::Button,
               .twips = {2760, 1455, 1455, 375}, .text = "Use detected"});
  return layout;
}

}  // namespace

const ui::WindowLayout& MonitorLimitsLayout() {
  static const ui::WindowLayout layout = BuildLayout();
  return layout;
}

}  // namespace zorvanel::app

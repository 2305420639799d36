#include "tests/contract/ContractWindows.h"

#include <stdexcept>

namespace zorvanel::contract {

namespace {

using ui::ControlKind;

ui::WindowLayout MakeTestWindow() {
  return {.name = kTestWindow, .caption = "Test window", .clientWidth = 4800,
          .clientHeight = 3600, .controls = {
      {.name = "mnuFile", .kind = ControlKind::Menu, .text = "&File"},
      {.name = "mnuItem", .kind = ControlKind::Menu, .container = "mnuFile", .text = "&Item"},
      {.name = "mnuCommand", .kind = ControlKind::Menu, .text = "&Command"},
      {.name = "tbsStrip", .kind = ControlKind::TabStrip, .twips = {0, 0, 4800, 3600},
       .tabs = {{"One", "First tip"}, {"Two", "Second tip"}, {"Three", "Third tip"}}},
      {.name = "fmePage", .kind = ControlKind::Frame, .twips = {120, 360, 4560, 3120},
       .borderless = true},
      {.name = "lblText", .kind = ControlKind::Label, .container = "fmePage",
       .twips = {120, 120, 2000, 255}, .text = "Label", .fore = ui::kRed,
       .font = {8.25, true, true}, .align = ui::Align::Right},
      {.name = "fmeGroup", .kind = ControlKind::Frame, .container = "fmePage",
       .twips = {120, 600, 4000, 1500}, .text = "Group:", .fore = ui::kRed,
       .font = {8.25, true, true}},
      {.name = "lblInner", .kind = ControlKind::Label, .container = "fmeGroup",
       .twips = {120, 240, 1500, 255}, .text = "Inner"},
      {.name = "obtA", .kind = ControlKind::OptionButton, .container = "fmeGroup",
       .twips = {120, 600, 1500, 255}, .text = "A"},
      {.name = "obtB", .kind = ControlKind::OptionButton, .container = "fmeGroup",
       .twips = {1800, 600, 1500, 255}, .text = "B"},
      {.name = "cmdGo", .kind = ControlKind::Button, .container = "fmePage",
       .twips = {120, 2280, 1455, 315}, .text = "Go"},
      {.name = "cmbList", .kind = ControlKind::DropDownList, .container = "fmePage",
       .twips = {1800, 2280, 1095, 315}, .text = "b", .font = {9.75}, .items = {"a", "b", "c"}},
      {.name = "txtEntry", .kind = ControlKind::TextBox, .container = "fmePage",
       .twips = {3000, 2280, 1095, 315}, .text = "30-96"},
      {.name = "linRule", .kind = ControlKind::Line, .container = "fmePage",
       .twips = {0, 2760, 4500, 0}, .fore = ui::Color::FromRgb(0x808080)},
      {.name = "tmrTick", .kind = ControlKind::Timer, .container = "fmePage", .interval = 20},
  }};
}

ui::WindowLayout MakeTestDialog() {
  return {.name = kTestDialog, .caption = "Test dialog", .clientWidth = 3000,
          .clientHeight = 1500, .background = ui::kBlack, .showInTaskbar = false,
          .controls = {{.name = "lblLink", .kind = ControlKind::Label,
                        .twips = {120, 120, 2000, 255}, .text = "link",
                        .fore = ui::Color::FromRgb(0x8080FF), .back = ui::kBlack}}};
}

struct RecordingLogic : ui::WindowLogic {
  RecordingLogic(EventLog& log, std::string window) : log_(log), window_(std::move(window)) {}
  void Form_Load() override {
    log_.lines.push_back("load " + window_);
    if (log_.onLoad) log_.onLoad(window_);
  }
  void OnEvent(const ui::Event& event) override {
    static constexpr const char* kKinds[] = {"Click", "KeyPress", "Timer"};
    std::string line = std::string(event.control) + " " + kKinds[static_cast<int>(event.kind)];
    if (event.kind == ui::EventKind::KeyPress) line += " " + std::to_string(event.key);
    log_.lines.push_back(line);
    if (log_.onEvent) log_.onEvent(event);
  }
  EventLog& log_;
  std::string window_;
};

}  // namespace

const ui::WindowLayout& TestWindows::Layout(std::string_view window) const {
  static const ui::WindowLayout main = MakeTestWindow();
  static const ui::WindowLayout dialog = MakeTestDialog();
  if (window == kTestWindow) return main;
  if (window == kTestDialog) return dialog;
  throw std::invalid_argument("no test window " + std::string(window));
}

std::unique_ptr<ui::WindowLogic> TestWindows::CreateLogic(std::string_view window) {
  return std::make_unique<RecordingLogic>(log_, std::string(window));
}

}  // namespace zorvanel::contract

// The user's side of the headless toolkit: reaching a control as a user
// would (or being refused), acting on it, and the transcript's description
// of what the user sees.

#include <algorithm>
#include <cstdio>

#include "platform/headless/HeadlessToolkit.h"

namespace zorvanel::headless {

namespace {

using ui::ControlKind;

// The system's text colour is black on the platform the program was made for.
std::string ColorText(ui::Color color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X",
                color.source == ui::Color::Source::Rgb ? color.rgb : 0u);
  return text;
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string joined;
  for (const auto& part : parts) joined += (joined.empty() ? "" : "|") + part;
  return joined;
}

}  // namespace

std::pair<HeadlessToolkit::Window*, HeadlessToolkit::Control*> HeadlessToolkit::Locate(
    std::string_view name) {
  std::string_view windowName;
  if (auto dot = name.find('.'); dot != std::string_view::npos) {
    windowName = name.substr(0, dot);
    name = name.substr(dot + 1);
  }
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if (!windowName.empty() && (*it)->name != windowName) continue;
    for (auto& control : (*it)->controls) {
      if (control.spec->name == name) return {it->get(), &control};
    }
  }
  return {nullptr, nullptr};
}

// What stops a user from reaching a control: a hidden or disabled control or
// container, or a modal window above its own.
std::optional<std::string> HeadlessToolkit::Refusal(Window& window, const Control& control) {
  if (&window != windows_.back().get()) return "disabled";
  const Control* current = &control;
  bool disabled = false;
  while (current) {
    if (!current->visible) return "hidden";
    disabled = disabled || !current->enabled;
    const std::string& container = current->spec->container;
    if (container.empty()) break;
    current = &Find({window.name, container});
  }
  if (disabled) return "disabled";
  return std::nullopt;
}

void HeadlessToolkit::Raise(Window& window, const ui::Event& event) {
  window.logic->OnEvent(event);
}

std::optional<std::string> HeadlessToolkit::Click(std::string_view name) {
  auto [window, control] = Locate(name);
  if (!control) throw ScriptError("no control " + std::string(name));
  if (auto refused = Refusal(*window, *control)) return refused;
  Raise(*window, {control->spec->name, ui::EventKind::Click});
  return std::nullopt;
}

std::optional<std::string> HeadlessToolkit::Select(std::string_view name, std::string_view item) {
  auto [window, control] = Locate(name);
  if (!control || control->spec->kind != ControlKind::DropDownList) {
    throw ScriptError("no drop-down list " + std::string(name));
  }
  if (auto refused = Refusal(*window, *control)) return refused;
  if (std::find(control->items.begin(), control->items.end(), item) == control->items.end()) {
    return "no such item";
  }
  control->text = item;
  Raise(*window, {control->spec->name, ui::EventKind::Click});
  return std::nullopt;
}

std::optional<std::string> HeadlessToolkit::SelectTab(std::string_view name, int index) {
  auto [window, control] = Locate(name);
  if (!control || control->spec->kind != ControlKind::TabStrip) {
    throw ScriptError("no tab strip " + std::string(name));
  }
  if (auto refused = Refusal(*window, *control)) return refused;
  if (index < 1 || index > static_cast<int>(control->tabs.size())) return "no such tab";
  control->selectedTab = index;
  Raise(*window, {control->spec->name, ui::EventKind::Click});
  return std::nullopt;
}

std::optional<std::string> HeadlessToolkit::Type(std::string_view name, std::string_view keys) {
  auto [window, control] = Locate(name);
  if (!control) throw ScriptError("no control " + std::string(name));
  if (auto refused = Refusal(*window, *control)) return refused;
  for (char key : keys) {
    if (ended_) break;
    Raise(*window, {control->spec->name, ui::EventKind::KeyPress, static_cast<unsigned char>(key)});
  }
  return std::nullopt;
}

// Typing raises no event: the window reads the box when it needs it.
std::optional<std::string> HeadlessToolkit::Enter(std::string_view name, std::string_view text) {
  auto [window, control] = Locate(name);
  if (!control || control->spec->kind != ControlKind::TextBox) {
    throw ScriptError("no text box " + std::string(name));
  }
  if (auto refused = Refusal(*window, *control)) return refused;
  control->text = text;
  return std::nullopt;
}

// The timer keeps ticking while a modal window or box is open.
std::optional<std::string> HeadlessToolkit::Tick(std::string_view name, int count) {
  auto [window, control] = Locate(name);
  if (!control || control->spec->kind != ControlKind::Timer) {
    throw ScriptError("no timer " + std::string(name));
  }
  for (int i = 0; i < count && control->enabled && !ended_; ++i) {
    Raise(*window, {control->spec->name, ui::EventKind::Timer});
  }
  return std::nullopt;
}

// The program ends when its last window is closed.
std::optional<std::string> HeadlessToolkit::UserClose(std::string_view name) {
  Window* window = FindWindow(name);
  if (!window) throw ScriptError("no open window " + std::string(name));
  if (window != windows_.back().get()) return "disabled";
  Close(name);
  if (windows_.empty()) EndProgram();
  return std::nullopt;
}

std::string HeadlessToolkit::Describe(const Control& c) const {
  const ui::ControlSpec& spec = *c.spec;
  std::string line = spec.name;
  auto field = [&](std::string_view key, const std::string& value) {
    line += " " + std::string(key) + "=" + value;
  };
  auto flag = [](bool value) { return std::string(value ? "1" : "0"); };
  switch (spec.kind) {
    case ControlKind::Label:
    case ControlKind::Frame:
      field("visible", flag(c.visible));
      field("color", ColorText(c.fore));
      field("text", Quote(c.text));
      break;
    case ControlKind::Button:
    case ControlKind::OptionButton:
    case ControlKind::TextBox:
    case ControlKind::Menu:
      field("visible", flag(c.visible));
      field("enabled", flag(c.enabled));
      field("text", Quote(c.text));
      break;
    case ControlKind::DropDownList:
      field("visible", flag(c.visible));
      field("enabled", flag(c.enabled));
      field("shown", Quote(c.text));
      field("items", Quote(Joined(c.items)));
      break;
    case ControlKind::TabStrip: {
      std::vector<std::string> captions, tips;
      for (const auto& tab : c.tabs) {
        captions.push_back(tab.caption);
        tips.push_back(tab.tooltip);
      }
      field("visible", flag(c.visible));
      field("tabs", Quote(Joined(captions)));
      field("selected", std::to_string(c.selectedTab));
      field("tips", Quote(Joined(tips)));
      break;
    }
    case ControlKind::Timer:
      field("enabled", flag(c.enabled));
      field("interval", std::to_string(c.interval));
      break;
    case ControlKind::Line:
    case ControlKind::Image:
      field("visible", flag(c.visible));
      break;
  }
  // Only controls that were given a tooltip show one.
  if (!c.tooltip.empty()) field("tip", Quote(c.tooltip));
  return line;
}

std::string HeadlessToolkit::Describe(std::string_view name) {
  auto [window, control] = Locate(name);
  if (!control) throw ScriptError("no control " + std::string(name));
  return Describe(*control);
}

std::vector<std::string> HeadlessToolkit::DescribeAll() {
  std::vector<std::string> lines;
  for (const auto& window : windows_) {
    for (const auto& control : window->controls) lines.push_back(Describe(control));
  }
  return lines;
}

}  // namespace zorvanel::headless

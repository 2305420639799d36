#include "platform/headless/HeadlessToolkit.h"

#include <algorithm>
#include <cstdio>

#include "platform/ui/BadRequests.h"

namespace zorvanel::headless {

namespace {

using ui::ControlKind;

std::string_view IconName(ui::Icon icon) {
  switch (icon) {
    case ui::Icon::Information: return "information";
    case ui::Icon::Question: return "question";
    case ui::Icon::Exclamation: return "exclamation";
    case ui::Icon::Critical: return "critical";
  }
  return "?";
}

std::string_view AnswerName(ui::Answer answer) {
  switch (answer) {
    case ui::Answer::OK: return "OK";
    case ui::Answer::Yes: return "Yes";
    case ui::Answer::No: return "No";
  }
  return "?";
}

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

HeadlessToolkit::HeadlessToolkit(Transcript& transcript, std::string programFolder)
    : transcript_(transcript),
      programFolder_(std::move(programFolder)),
      currentDirectory_(programFolder_) {}

HeadlessToolkit::~HeadlessToolkit() = default;

// ---------------------------------------------------------------- windows

HeadlessToolkit::Window& HeadlessToolkit::Load(std::string_view name) {
  if (!factory_) throw std::logic_error("no window factory attached");
  auto window = std::make_unique<Window>();
  window->name = name;
  window->layout = &factory_->Layout(name);
  window->caption = window->layout->caption;
  for (const auto& spec : window->layout->controls) {
    window->controls.push_back(Control{&spec, spec.text, spec.fore, spec.visible, spec.enabled,
                                       spec.items, spec.tabs, 1, spec.interval});
  }
  window->logic = factory_->CreateLogic(name);
  windows_.push_back(std::move(window));
  return *windows_.back();
}

void HeadlessToolkit::Start(std::string_view name) {
  Window& window = Load(name);
  window.logic->Form_Load();
  if (!ended_) transcript_.Line("window " + window.name + " shown");
}

void HeadlessToolkit::ShowModal(std::string_view name, std::string_view /*owner*/) {
  Start(name);
}

HeadlessToolkit::Window* HeadlessToolkit::FindWindow(std::string_view name) {
  for (auto& window : windows_) {
    if (window->name == name) return window.get();
  }
  return nullptr;
}

bool HeadlessToolkit::IsLoaded(std::string_view window) { return FindWindow(window) != nullptr; }

// A closed window's logic may still be running the handler that closed it,
// so it is kept until the toolkit goes.
void HeadlessToolkit::Close(std::string_view name) {
  auto it = std::find_if(windows_.begin(), windows_.end(),
                         [&](const auto& window) { return window->name == name; });
  if (it == windows_.end()) return;
  transcript_.Line("window " + (*it)->name + " closed");
  closed_.push_back(std::move(*it));
  windows_.erase(it);
}

std::string HeadlessToolkit::Caption(std::string_view window) {
  Window* found = FindWindow(window);
  if (!found) ui::ThrowNotLoaded(window);
  return found->caption;
}

std::uintptr_t HeadlessToolkit::NativeHandle(std::string_view window) {
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    if (windows_[i]->name == window) return 0x10010 + 0x10 * i;
  }
  return 0;
}

// Every window goes with the end, without a line of its own.
void HeadlessToolkit::EndProgram() {
  if (ended_) return;
  ended_ = true;
  for (auto& window : windows_) closed_.push_back(std::move(window));
  windows_.clear();
  transcript_.Line("end");
}

// ---------------------------------------------------------------- boxes

ui::Answer HeadlessToolkit::MessageBox(std::string_view text, ui::Buttons buttons, ui::Icon icon,
                                       std::string_view title) {
  const bool yesNo = buttons == ui::Buttons::YesNo;
  std::string line = "box " + Quote(title) + " " + std::string(IconName(icon)) +
                     (yesNo ? " YesNo " : " OK ") + Quote(text) + " -> ";
  if (answers_.empty()) {
    const ui::Answer answer = yesNo ? ui::Answer::Yes : ui::Answer::OK;
    transcript_.Line(line + std::string(AnswerName(answer)) + " (default)");
    return answer;
  }
  const ui::Answer answer = answers_.front();
  answers_.pop_front();
  if (yesNo == (answer == ui::Answer::OK)) {
    transcript_.Line(line + "?");
    throw ScriptError("answer " + std::string(AnswerName(answer)) + " does not fit the box " +
                      Quote(title));
  }
  transcript_.Line(line + std::string(AnswerName(answer)));
  return answer;
}

// ---------------------------------------------------------------- controls

HeadlessToolkit::Control& HeadlessToolkit::Find(ui::ControlRef ref) {
  Window* window = FindWindow(ref.window);
  if (!window) ui::ThrowNotLoaded(ref.window);
  for (auto& control : window->controls) {
    if (control.spec->name == ref.control) return control;
  }
  ui::ThrowNoControl(ref);
}

HeadlessToolkit::Control& HeadlessToolkit::Find(ui::ControlRef ref, ui::ControlKind kind) {
  Control& control = Find(ref);
  ui::RequireKind(ref, *control.spec, kind);
  return control;
}

void HeadlessToolkit::SetText(ui::ControlRef c, std::string_view text) {
  Control& control = Find(c);
  if (control.spec->kind == ControlKind::DropDownList) return ShowItem(c, text);
  control.text = text;
}
std::string HeadlessToolkit::Text(ui::ControlRef c) { return Find(c).text; }
void HeadlessToolkit::SetTextColor(ui::ControlRef c, ui::Color color) { Find(c).fore = color; }
void HeadlessToolkit::SetVisible(ui::ControlRef c, bool visible) { Find(c).visible = visible; }
bool HeadlessToolkit::Visible(ui::ControlRef c) { return Find(c).visible; }
void HeadlessToolkit::SetEnabled(ui::ControlRef c, bool enabled) { Find(c).enabled = enabled; }
void HeadlessToolkit::SetToolTip(ui::ControlRef c, std::string_view tooltip) {
  Find(c).tooltip = tooltip;
}

void HeadlessToolkit::ClearItems(ui::ControlRef list) {
  Control& control = Find(list, ControlKind::DropDownList);
  control.items.clear();
  control.text.clear();
}

void HeadlessToolkit::AddItem(ui::ControlRef list, std::string_view text) {
  Find(list, ControlKind::DropDownList).items.emplace_back(text);
}

void HeadlessToolkit::ShowItem(ui::ControlRef list, std::string_view text) {
  Control& control = Find(list, ControlKind::DropDownList);
  if (std::find(control.items.begin(), control.items.end(), text) == control.items.end()) {
    ui::ThrowNoItem(list, text);
  }
  control.text = text;
}

int HeadlessToolkit::TabCount(ui::ControlRef strip) {
  return static_cast<int>(Find(strip, ControlKind::TabStrip).tabs.size());
}

void HeadlessToolkit::RemoveTab(ui::ControlRef strip, int index) {
  Control& control = Find(strip, ControlKind::TabStrip);
  if (index < 1 || index > static_cast<int>(control.tabs.size())) return;
  control.tabs.erase(control.tabs.begin() + (index - 1));
  control.selectedTab = std::min(control.selectedTab, static_cast<int>(control.tabs.size()));
}

void HeadlessToolkit::AppendTab(ui::ControlRef strip, std::string_view caption) {
  Find(strip, ControlKind::TabStrip).tabs.push_back(ui::Tab{std::string(caption), ""});
}

void HeadlessToolkit::SetTabTooltip(ui::ControlRef strip, int index, std::string_view tooltip) {
  Control& control = Find(strip, ControlKind::TabStrip);
  if (index >= 1 && index <= static_cast<int>(control.tabs.size())) {
    control.tabs[index - 1].tooltip = tooltip;
  }
}

int HeadlessToolkit::SelectedTab(ui::ControlRef strip) {
  return Find(strip, ControlKind::TabStrip).selectedTab;
}
void HeadlessToolkit::SetSelectedTab(ui::ControlRef strip, int index) {
  Control& control = Find(strip, ControlKind::TabStrip);
  if (index >= 1 && index <= static_cast<int>(control.tabs.size())) control.selectedTab = index;
}
int HeadlessToolkit::Interval(ui::ControlRef timer) {
  return Find(timer, ControlKind::Timer).interval;
}
void HeadlessToolkit::SetInterval(ui::ControlRef timer, int ms) {
  Find(timer, ControlKind::Timer).interval = ms;
}

// ---------------------------------------------------------------- the user

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

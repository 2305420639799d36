#include "platform/headless/HeadlessToolkit.h"

#include <algorithm>

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

}  // namespace zorvanel::headless

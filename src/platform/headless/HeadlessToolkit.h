#pragma once
// A toolkit without a screen: windows and controls are plain state built from
// the layouts, message boxes are answered from a queue, and everything the
// user would see is written to a transcript. Tests and the replay runner
// drive it as a user would.

#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/headless/Transcript.h"
#include "platform/ui/Layout.h"
#include "platform/ui/Toolkit.h"

namespace zorvanel::headless {

// A script asked for something that cannot be done (an answer that fits no
// button, a control that does not exist).
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class HeadlessToolkit : public ui::Toolkit {
 public:
  HeadlessToolkit(Transcript& transcript, std::string programFolder);
  ~HeadlessToolkit() override;

  void Attach(ui::WindowFactory& factory) { factory_ = &factory; }

  // --- The user's side.
  void QueueAnswer(ui::Answer answer) { answers_.push_back(answer); }
  // Loads the main window (its load step runs) and shows it.
  void Start(std::string_view window);
  // Each returns why the user could not do it ("hidden", "disabled", "no
  // such tab", "no such item"), or nullopt when it was done.
  std::optional<std::string> Click(std::string_view control);
  std::optional<std::string> Select(std::string_view control, std::string_view item);
  std::optional<std::string> SelectTab(std::string_view strip, int index);
  std::optional<std::string> Type(std::string_view strip, std::string_view keys);
  // Replaces what a text box holds, as the user's typing would.
  std::optional<std::string> Enter(std::string_view box, std::string_view text);
  std::optional<std::string> Tick(std::string_view timer, int count);
  std::optional<std::string> UserClose(std::string_view window);
  // "NAME visible=.. enabled=.. ..." for one control, or every control.
  std::string Describe(std::string_view control);
  std::vector<std::string> DescribeAll();
  bool Ended() const { return ended_; }
  const std::string& CurrentDirectory() const { return currentDirectory_; }

  // --- The program's side.
  ui::Answer MessageBox(std::string_view text, ui::Buttons buttons, ui::Icon icon,
                        std::string_view title) override;
  void ShowModal(std::string_view window, std::string_view owner) override;
  bool IsLoaded(std::string_view window) override;
  void Close(std::string_view window) override;
  std::string Caption(std::string_view window) override;
  std::uintptr_t NativeHandle(std::string_view window) override;
  void EndProgram() override;
  std::string ProgramFolder() override { return programFolder_; }
  void SetCurrentDirectory(std::string_view folder) override { currentDirectory_ = folder; }

  void SetText(ui::ControlRef control, std::string_view text) override;
  std::string Text(ui::ControlRef control) override;
  void SetTextColor(ui::ControlRef control, ui::Color color) override;
  void SetVisible(ui::ControlRef control, bool visible) override;
  bool Visible(ui::ControlRef control) override;
  void SetEnabled(ui::ControlRef control, bool enabled) override;
  void SetToolTip(ui::ControlRef control, std::string_view tooltip) override;
  void ClearItems(ui::ControlRef list) override;
  void AddItem(ui::ControlRef list, std::string_view text) override;
  void ShowItem(ui::ControlRef list, std::string_view text) override;
  int TabCount(ui::ControlRef strip) override;
  void RemoveTab(ui::ControlRef strip, int index) override;
  void AppendTab(ui::ControlRef strip, std::string_view caption) override;
  void SetTabTooltip(ui::ControlRef strip, int index, std::string_view tooltip) override;
  int SelectedTab(ui::ControlRef strip) override;
  void SetSelectedTab(ui::ControlRef strip, int index) override;
  int Interval(ui::ControlRef timer) override;
  void SetInterval(ui::ControlRef timer, int milliseconds) override;

 private:
  struct Control {
    const ui::ControlSpec* spec;
    std::string text;
    ui::Color fore;
    bool visible;
    bool enabled;
    std::vector<std::string> items;
    std::vector<ui::Tab> tabs;
    int selectedTab = 1;
    int interval;
    std::string tooltip;
  };
  struct Window {
    std::string name;
    const ui::WindowLayout* layout;
    std::string caption;
    std::vector<Control> controls;
    std::unique_ptr<ui::WindowLogic> logic;
  };

  Window& Load(std::string_view name);
  Window* FindWindow(std::string_view name);
  Control& Find(ui::ControlRef ref);
  Control& Find(ui::ControlRef ref, ui::ControlKind kind);
  // The topmost loaded window that has this control ("WINDOW.CONTROL" names
  // the window).
  std::pair<Window*, Control*> Locate(std::string_view control);
  std::optional<std::string> Refusal(Window& window, const Control& control);
  void Raise(Window& window, const ui::Event& event);
  std::string Describe(const Control& control) const;

  Transcript& transcript_;
  std::string programFolder_;
  std::string currentDirectory_;
  ui::WindowFactory* factory_ = nullptr;
  std::deque<ui::Answer> answers_;
  std::vector<std::unique_ptr<Window>> windows_;  // loaded, bottom first
  std::vector<std::unique_ptr<Window>> closed_;
  bool ended_ = false;
};

}  // namespace zorvanel::headless

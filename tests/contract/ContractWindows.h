#pragma once
// Two small windows of every kind of control, whose logic records what it
// is told, for testing a toolkit apart from the program.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Layout.h"
#include "platform/ui/Toolkit.h"

namespace zorvanel::contract {

inline constexpr const char* kTestWindow = "frmTest";
inline constexpr const char* kTestDialog = "frmDialog";

// What the logic of both windows saw, as "load WINDOW" and "CONTROL Click",
// "CONTROL KeyPress 97", "CONTROL Timer" lines.
struct EventLog {
  std::vector<std::string> lines;
  std::function<void(std::string_view window)> onLoad;
  std::function<void(const ui::Event&)> onEvent;
  int Count(const std::string& line) const {
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
  }
};

class TestWindows : public ui::WindowFactory {
 public:
  explicit TestWindows(EventLog& log) : log_(log) {}
  const ui::WindowLayout& Layout(std::string_view window) const override;
  std::unique_ptr<ui::WindowLogic> CreateLogic(std::string_view window) override;

 private:
  EventLog& log_;
};

}  // namespace zorvanel::contract

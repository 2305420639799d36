#pragma once
#include <string_view>

namespace zorvanel::ui {

enum class Buttons { OK, YesNo };
enum class Icon { Information, Question, Exclamation, Critical };
enum class Answer { OK, Yes, No };

// Modal message boxes: the only way the program reports anything. The first
// button is the default; the call returns the button that closed the box.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual Answer MessageBox(std::string_view text, Buttons buttons, Icon icon,
                            std::string_view title) = 0;
};

}  // namespace zorvanel::ui

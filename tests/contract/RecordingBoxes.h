#pragma once
#include <string>
#include <vector>

#include "platform/ui/MessageBoxes.h"

namespace zorvanel::contract {

// Message boxes answered with their default button, remembered by title.
class RecordingBoxes : public ui::MessageBoxes {
 public:
  ui::Answer MessageBox(std::string_view text, ui::Buttons buttons, ui::Icon /*icon*/,
                        std::string_view title) override {
    titles.emplace_back(title);
    texts.emplace_back(text);
    return buttons == ui::Buttons::OK ? ui::Answer::OK : ui::Answer::Yes;
  }
  std::size_t Count() const { return titles.size(); }

  std::vector<std::string> titles;
  std::vector<std::string> texts;
};

}  // namespace zorvanel::contract

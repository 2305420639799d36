#include "tests/robust/AnswerRealignment.h"

#include <regex>
#include <sstream>
#include <vector>

#include "tests/replay/ScenarioFiles.h"

namespace zorvanel::robust {

namespace {

using replay::Words;

struct ScriptLines {
  std::vector<std::string> lines;
  // Each queued answer, in the order the boxes take them: (line, word).
  std::vector<std::pair<std::size_t, std::size_t>> answers;
};

ScriptLines Read(const std::string& script) {
  ScriptLines read;
  std::istringstream stream(script);
  for (std::string line; std::getline(stream, line);) {
    const auto words = Words(line);
    if (!words.empty() && words[0] == "answer") {
      for (std::size_t w = 1; w < words.size(); ++w) read.answers.emplace_back(read.lines.size(), w);
    }
    read.lines.push_back(line);
  }
  return read;
}

// How many queued answers the boxes before the last one took: a box
// answered by default found the queue empty.
std::size_t AnswersTakenBefore(const std::string& output) {
  std::istringstream lines(output);
  std::vector<std::string> boxes;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("box ")) boxes.push_back(line);
  }
  std::size_t taken = 0;
  for (std::size_t i = 0; i + 1 < boxes.size(); ++i) {
    if (!boxes[i].ends_with(" (default)")) ++taken;
  }
  return taken;
}

std::string Join(const std::vector<std::string>& words) {
  std::string line;
  for (const auto& word : words) line += (line.empty() ? "" : " ") + word;
  return line;
}

}  // namespace

std::optional<std::string> RealignAnswers(const std::string& script, const std::string& output,
                                          const std::string& ending) {
  static const std::regex kMisfit("-:[0-9]+: answer (Yes|No|OK) does not fit the box .*\n--- exit 2\n");
  std::smatch match;
  if (!std::regex_match(ending, match, kMisfit) || !output.ends_with(" -> ?\n")) return std::nullopt;
  const bool queuedOk = match[1] == "OK";

  ScriptLines read = Read(script);
  const std::size_t index = AnswersTakenBefore(output);
  if (index >= read.answers.size()) return std::nullopt;
  const auto [line, word] = read.answers[index];
  auto words = Words(read.lines[line]);
  if (queuedOk) {
    words.erase(words.begin() + static_cast<std::ptrdiff_t>(word));  // its error box no longer comes
  } else {
    words.insert(words.begin() + static_cast<std::ptrdiff_t>(word), "OK");  // for the error box
  }
  read.lines[line] = words.size() > 1 ? Join(words) : "";
  std::string realigned;
  for (const auto& text : read.lines) realigned += text + "\n";
  return realigned;
}

}  // namespace zorvanel::robust

namespace zorvanel::robust {

std::optional<std::string> DropAfterEnd(const std::string& script, const std::string& ending) {
  static const std::regex kEnded("-:([0-9]+): the program has ended; only dump may follow\n"
                                 "--- exit 2\n");
  std::smatch match;
  if (!std::regex_match(ending, match, kEnded)) return std::nullopt;
  const std::size_t endedAt = std::stoul(match[1]);
  std::istringstream stream(script);
  std::string kept;
  std::size_t number = 0;
  for (std::string line; std::getline(stream, line);) {
    const auto words = replay::Words(line);
    const bool comment = words.empty() || words[0].starts_with("#");
    if (++number < endedAt || comment || words[0] == "dump") kept += line + "\n";
  }
  return kept;
}

}  // namespace zorvanel::robust

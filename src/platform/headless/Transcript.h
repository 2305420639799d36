#pragma once
// The replay transcript: one line per event the user or the platform sees.

#include <ostream>
#include <string>
#include <string_view>

namespace zorvanel::headless {

class Transcript {
 public:
  explicit Transcript(std::ostream& out) : out_(out) {}
  void Line(std::string_view line) { out_ << line << '\n'; }
  std::ostream& stream() { return out_; }

 private:
  std::ostream& out_;
};

// A text in double quotes, with \\ \" \r \n and \xHH escapes, so that every
// byte of it can be read back from the transcript.
std::string Quote(std::string_view text);

}  // namespace zorvanel::headless

#pragma once
// The .reg text reader: the header, [key] lines and value lines, handed to
// a sink in the file's order. What follows a value's '=' is read by its
// value type (RegValueTypes.h).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/store/StoreTree.h"

namespace zorvanel::store {

// What the reader finds, in the file's order. A sink answers with the
// reason the file cannot be taken, or nullopt.
class RegSink {
 public:
  virtual ~RegSink() = default;
  // A [key] line, as the names under the root.
  virtual std::optional<std::string> OnKey(std::vector<std::string>& names) = 0;
  // A value line, under the last key line.
  virtual std::optional<std::string> OnValue(Value& value) = 0;
  virtual std::optional<std::string> OnEnd() { return std::nullopt; }
};

// Reads the bytes of a .reg file into the sink, within the limits of
// RegFile.h; throws RegFileError.
void ReadRegText(std::string_view bytes, std::string_view fileName, RegSink& sink);

}  // namespace zorvanel::store

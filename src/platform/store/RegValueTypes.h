#pragma once
// The kinds of data a .reg value line holds after its '=', as one table:
// the prefix that marks each kind, how it is read and how a value is written
// in it. A line is read by the kind whose prefix it starts with (letters
// without case); a value is written in the first kind of the table that
// takes it.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/store/StoreTree.h"

namespace zorvanel::store {

// What reading a kind of data asks of the text reader.
class DataReader {
 public:
  // Refuses the file, naming the line being read.
  [[noreturn]] virtual void Fail(std::string_view reason) const = 0;
  // Reads a quoted string starting at text[pos] == '"', undoing the \\ and
  // \" escapes; leaves pos after the closing quote.
  virtual std::string ReadQuoted(std::string_view text, std::size_t& pos) const = 0;
  // Refuses data beyond the reader's limit, naming the line being read.
  virtual void CheckDataSize(const Value& value) const = 0;
  // Reads comma-separated hex bytes into value.data, which go on over the
  // following lines while a line ends in '\'.
  virtual void ReadHexList(std::string_view firstPart, Value& value) = 0;

 protected:
  ~DataReader() = default;
};

struct ValueType {
  std::string_view prefix;
  // Sets the value's type and data from `data`, which starts with prefix.
  void (*read)(DataReader& reader, std::string_view data, Value& value);
  // Whether a value can be written in this kind so that it reads back alike.
  bool (*writes)(const Value& value);
  // Appends the data after '='. The value's line started at lineStart in
  // out, which tells long hex lists where to wrap.
  void (*write)(std::string& out, std::size_t lineStart, const Value& value);
};

// The kind whose prefix `data` starts with; nullptr for none.
const ValueType* ValueTypeOfData(std::string_view data);
// The kind a value is written in.
const ValueType& ValueTypeToWrite(const Value& value);

}  // namespace zorvanel::store

#pragma once
// Reading and writing registry export text (.reg files), the substitute
// store's file format.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/registry/RegistryApi.h"
#include "platform/store/StoreTree.h"

namespace zorvanel::store {

// A store file that cannot be read; what() names the file and the line.
class RegFileError : public std::runtime_error {
 public:
  RegFileError(std::string_view fileName, int line, std::string_view reason);
  int line() const { return line_; }

 private:
  int line_;
};

// What the reader accepts at most. A store file is read from outside the
// program, so every dimension of it is bounded; the registry's own limits
// where it has them. Names and data are counted in bytes, which for the
// plain ASCII names the program writes are its characters.
inline constexpr std::size_t kMaxFileBytes = 32 * 1024 * 1024;
inline constexpr std::size_t kMaxLineLength = 4 * 1024 * 1024;
inline constexpr std::size_t kMaxKeyNameLength = 255;        // one component of a key path
using registry::kMaxValueNameLength;
inline constexpr std::size_t kMaxDataBytes = 1024 * 1024;    // one value's data
inline constexpr std::size_t kMaxKeyDepth = 512;

// Parses the bytes of a .reg file ("REGEDIT4" or "Windows Registry Editor
// Version 5.00"; ANSI/UTF-8, or UTF-16LE with a byte-order mark) into the
// tree under HKEY_LOCAL_MACHINE. The returned key stands for the root itself
// (its name is "HKEY_LOCAL_MACHINE"). Throws RegFileError, also for a file
// beyond any of the limits above, and for a tree that FormatRegFile would
// write larger than kMaxFileBytes: every store it accepts can be written
// back. Reading takes time in proportion to the file's size.
Key ParseRegFile(std::string_view bytes, std::string_view fileName);

// Writes the tree in REGEDIT4 form: every key depth-first in creation order,
// its values in enumeration order, so that parsing the result gives back
// exactly the same tree. sizeHint, the size the text will likely have,
// saves growing it step by step.
std::string FormatRegFile(const Key& root, std::size_t sizeHint = 0);

// Reads `bytes` as ParseRegFile does and throws RegFileError unless they
// give exactly `root`, without building a second tree.
void CheckReadsBack(std::string_view bytes, const Key& root, std::string_view fileName);

}  // namespace zorvanel::store

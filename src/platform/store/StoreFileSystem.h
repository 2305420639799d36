#pragma once
// What the store file needs of the operating system: a lock that a second
// instance cannot take, a bounded read, and an atomic replace. Written once
// for POSIX and once for Windows; everything else about the file is portable.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zorvanel::store::files {

// A store is written to "STORE.tmp-" followed by six characters first.
inline constexpr std::string_view kTempInfix = ".tmp-";
inline constexpr std::size_t kTempSuffixLength = 6;

// Locks the store against other instances; throws StoreFileError when
// another instance holds it or the lock cannot be taken.
int TakeLock(const std::string& path);
void ReleaseLock(int lock);

struct ReadResult {
  bool missing = false;             // there is no such file
  std::optional<std::string> error; // why it could not be read
};
// Reads the file into bytes, but stops once more than limit bytes are in.
ReadResult ReadAtMost(const std::string& path, std::size_t limit, std::string& bytes);

// Writes bytes to a temporary file beside the store, flushes it to disk and
// moves it over the store; false, with the store as it was, on any failure.
bool ReplaceAtomically(const std::string& path, std::string_view bytes);

}  // namespace zorvanel::store::files

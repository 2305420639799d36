#include "platform/store/StoreFile.h"

#include <filesystem>
#include <utility>

#include "platform/store/RegFile.h"
#include "platform/store/StoreFileSystem.h"

namespace zorvanel::store {

namespace {

// Releases the lock unless Open succeeds and hands it to the StoreFile.
class LockHolder {
 public:
  explicit LockHolder(int lock) : lock_(lock) {}
  ~LockHolder() {
    if (lock_ >= 0) files::ReleaseLock(lock_);
  }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;
  int Release() { return std::exchange(lock_, -1); }

 private:
  int lock_;
};

// A temporary file of a write that was cut short (the process killed, the
// machine down) is left beside the store; the next instance to hold the
// store removes it.
void RemoveInterruptedWrites(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path store(path);
  const std::string prefix = store.filename().string() + std::string(files::kTempInfix);
  const fs::path folder = store.has_parent_path() ? store.parent_path() : fs::path(".");
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() == prefix.size() + files::kTempSuffixLength && name.starts_with(prefix)) {
      fs::remove(entry.path(), error);
    }
  }
}

// Reads no more than one byte past the largest store the reader accepts,
// which is enough for the reader to refuse it.
Key ReadStore(const std::string& path, bool createIfMissing) {
  std::string bytes;
  const files::ReadResult read = files::ReadAtMost(path, kMaxFileBytes + 1, bytes);
  if (read.missing && createIfMissing) return Key{"HKEY_LOCAL_MACHINE", {}, {}};
  if (read.error) throw StoreFileError("Cannot open the store " + path + ": " + *read.error);
  try {
    return ParseRegFile(bytes, path);
  } catch (const RegFileError& error) {
    throw StoreFileError("The store cannot be read: " + std::string(error.what()));
  }
}

}  // namespace

std::unique_ptr<StoreFile> StoreFile::Open(const std::string& path, bool createIfMissing) {
  LockHolder lock(files::TakeLock(path));
  RemoveInterruptedWrites(path);
  Key content = ReadStore(path, createIfMissing);
  return std::unique_ptr<StoreFile>(new StoreFile(path, std::move(content), lock.Release()));
}

StoreFile::StoreFile(std::string path, Key content, int lockHandle)
    : path_(std::move(path)), content_(std::move(content)), lockHandle_(lockHandle) {}

StoreFile::~StoreFile() {
  if (lockHandle_ >= 0) files::ReleaseLock(lockHandle_);
}

bool StoreFile::Write(const Key& root) {
  const std::string bytes = FormatRegFile(root);
  // What is written must read back as the very same tree. A store beyond
  // the reader's limits (a name or a value too long, a file too large), or
  // with a name the format cannot carry (one with a line break), would be
  // refused or misread at the next start, so it is never written.
  try {
    if (!(ParseRegFile(bytes, path_) == root)) return false;
  } catch (const RegFileError&) {
    return false;
  }
  if (!files::ReplaceAtomically(path_, bytes)) return false;
  content_ = root;
  return true;
}

}  // namespace zorvanel::store

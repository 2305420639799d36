#pragma once
// The large store the store benchmarks share.

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "platform/store/StoreFile.h"

namespace zorvanel::bench {

inline constexpr int kBulkKeys = 1000;
inline constexpr int kTextsPerKey = 100;
inline constexpr const char* kChangedKey = "SOFTWARE\\Bulk\\Key0500";

// The sample machine's text with the bulk keys after it.
inline std::string LargeStoreText(const std::string& sample) {
  std::ifstream in(sample, std::ios::binary);
  std::string text(std::istreambuf_iterator<char>(in), {});
  for (int k = 0; k < kBulkKeys; ++k) {
    text += "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Bulk\\Key" + std::to_string(10000 + k).substr(1) +
            "]\r\n";
    for (int v = 0; v < kTextsPerKey; ++v) {
      text += "\"Text" + std::to_string(v) + "\"=\"value " + std::to_string(k * kTextsPerKey + v) +
              " of the bulk keys, some words\"\r\n";
    }
  }
  return text;
}

inline std::unique_ptr<store::StoreFile> OpenStore(const std::string& path) {
  return store::StoreFile::Open(path);
}
inline store::Key Content(store::StoreFile& file) { return file.TakeContent(); }
inline bool Replace(const std::string& path, const std::string& bytes) {
  return !files::ReplaceAtomically(path, bytes);
}

}  // namespace zorvanel::bench

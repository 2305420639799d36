#pragma once
// Where the desktop program keeps its registry, and opening it.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/store/StoreFile.h"

namespace zorvanel::desktop {

// $XDG_DATA_HOME/zorvanel/registry.reg, or ~/.local/share/zorvanel/registry.reg
// when XDG_DATA_HOME is unset or not absolute; nullopt when there is no home.
std::optional<std::string> DefaultStorePath(const char* xdgDataHome, const char* home);

// Writes `sample` as the store at `path` unless a store is already there,
// making its folders as needed. The file appears whole or not at all.
// Throws store::StoreFileError when it cannot be made.
void CreateStoreIfMissing(const std::string& path, std::string_view sample);

// The shipped sample machine, as the program carries it.
std::string SampleStore();

}  // namespace zorvanel::desktop

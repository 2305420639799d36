#pragma once
// The registry layer: the only code that touches the registry. Each
// operation opens the key it needs with just the access it needs, does one
// thing and closes the key again. A failing call is reported to the user
// once (ShowRegError) and the operation yields False, 0 or the empty text;
// callers carry on with that.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/RegistryApi.h"
#include "platform/ui/MessageBoxes.h"

namespace zorvanel::registry {

// The one report of every failing registry call.
inline constexpr const char* kRegistryErrorText = "Unknown Registry-error occured.";
inline constexpr const char* kRegistryErrorTitle = "Error";

// The marker EnumValueName yields in place of a value name whose data is not text.
inline constexpr const char* kNonTextValueName = "ERROR_NON_REG_SZ";

// A value as the registry keeps it: its type and its bytes.
struct RawValue {
  std::uint32_t type = REG_NONE;
  std::vector<std::uint8_t> bytes;
  bool operator==(const RawValue&) const = default;
};

class mdlRegistry {
 public:
  mdlRegistry(RegistryApi& api, ui::MessageBoxes& boxes) : api_(api), boxes_(boxes) {}

  void ShowRegError();
  void CreateKey(KeyHandle root, const std::string& path);
  void DeleteKey(KeyHandle root, const std::string& path);
  void DeleteValue(KeyHandle root, const std::string& path, const std::string& name);
  bool KeyExists(KeyHandle root, const std::string& path);
  bool ValueExists(KeyHandle root, const std::string& path, const std::string& name);
  void SetDwordValue(KeyHandle root, const std::string& path, const std::string& name,
                     std::int32_t value);
  void SetStringValue(KeyHandle root, const std::string& path, const std::string& name,
                      const std::string& text);
  std::int32_t GetDwordValue(KeyHandle root, const std::string& path, const std::string& name);
  std::string GetStringValue(KeyHandle root, const std::string& path, const std::string& name);
  std::string EnumValueName(KeyHandle root, const std::string& path, std::uint32_t index);
  // The value's data as stored, whatever its type (an EDID is REG_BINARY).
  std::vector<std::uint8_t> GetBinaryValue(KeyHandle root, const std::string& path,
                                           const std::string& name);
  // The value's type and bytes as stored; nullopt when it cannot be read.
  std::optional<RawValue> GetRawValue(KeyHandle root, const std::string& path,
                                      const std::string& name);
  // Writes exactly this type and these bytes: a text read without its
  // terminator is written back without one.
  void SetRawValue(KeyHandle root, const std::string& path, const std::string& name,
                   const RawValue& value);
  // The name of the subkey at index; empty past the last one.
  std::string EnumKeyName(KeyHandle root, const std::string& path, std::uint32_t index);

  // Puts the changes made through this layer since the last flush on disk
  // (RegFlushKey on root); with none, it makes no call. False, reported,
  // when the flush failed: the changes since the last flush are then lost.
  bool FlushKey(KeyHandle root);

  // How many failures have been reported so far: a step that must know
  // whether all its calls went through compares the count before and after.
  int ReportedFailures() const { return failures_; }

 private:
  // Opens the key, reporting a failure; nullopt when it could not be opened.
  std::optional<KeyHandle> OpenReported(KeyHandle root, const std::string& path,
                                        std::uint32_t access);
  void CloseReported(KeyHandle key);
  void SetValue(KeyHandle root, const std::string& path, const std::string& name,
                std::uint32_t type, const std::uint8_t* data, std::uint32_t size);

  RegistryApi& api_;
  ui::MessageBoxes& boxes_;
  int failures_ = 0;
  bool unflushed_ = false;  // a change was asked for since the last flush
};

}  // namespace zorvanel::registry

#pragma once
// The driver's mode values in its registry keys: which values hold a mode
// table, where its device keys are, and how a key's values are walked.

#include <functional>
#include <string>
#include <string_view>

#include "platform/registry/mdlRegistry.h"

namespace zorvanel::modes {

inline constexpr const char* kNvModes = "NV_Modes";
inline constexpr std::string_view kModesDeltaSuffix = "_Modes_Delta";

// Exact, case-sensitive comparison of the last 12 characters; a shorter
// name is compared whole.
bool EndsInModesDelta(std::string_view name);
// NV_Modes, or a name ending in "_Modes_Delta".
bool IsModeValueName(std::string_view name);

// Device key n of the driver's service key: "...\nv\Device0", "...\Device1".
std::string DeviceKey(std::string_view driverKey, int number);

// Visits the name of every value of the key, by index from 0, until
// EnumValueName gives the empty text (the end, or a failure it reported).
// A value whose data is not text is visited as "ERROR_NON_REG_SZ". The
// visitor may replace a value's data: that keeps its index.
void ForEachValueName(registry::mdlRegistry& registry, const std::string& key,
                      const std::function<void(const std::string& name)>& visit);

// Copies the source key's *_Modes_Delta values in its own order, then its
// NV_Modes, as text into the target key. Values the target holds under
// other names stay.
void CopyModeValues(registry::mdlRegistry& registry, const std::string& source,
                    const std::string& target);
// Copies one value with its type and bytes; a value that cannot be read
// (reported) is not written.
void CopyValueExactly(registry::mdlRegistry& registry, const std::string& source,
                      const std::string& target, const std::string& name);
// Whether the target holds the value with the source's type and bytes.
bool ValueCopiedExactly(registry::mdlRegistry& registry, const std::string& source,
                        const std::string& target, const std::string& name);
// Copies the values the writer overwrites, the text mode values the walk
// finds, in the key's own order, each with its type and bytes.
void CopyModeValuesExactly(registry::mdlRegistry& registry, const std::string& source,
                           const std::string& target);
// Reads the copy back: true when every mode value of the source is in the
// target with the same data. The walk stops at the first that is not, so a
// broken copy costs no further error messages than it already showed.
bool ModeValuesCopied(registry::mdlRegistry& registry, const std::string& source,
                      const std::string& target);
// The same for the exact copy: the same type and the same bytes.
bool ModeValuesCopiedExactly(registry::mdlRegistry& registry, const std::string& source,
                             const std::string& target);
// Visits every text value saved in the key with its data. A value of another
// type (named "ERROR_NON_REG_SZ" by the walk) has no text to give back and
// is skipped.
void ForEachSavedValue(registry::mdlRegistry& registry, const std::string& key,
                       const std::function<void(const std::string& name,
                                                const std::string& data)>& visit);

}  // namespace zorvanel::modes

#pragma once
// The endless, deterministic series of write-through changes that the crash
// test's child makes, and that the test replays in memory to know which
// states the store file may be in.

#include <cstdint>

#include "platform/registry/RegistryApi.h"

namespace zorvanel::robust {

// The key under which the series works.
inline constexpr const char* kSeriesKey = "SOFTWARE\\Dravenlock\\Series";

// Creates the series key; the store must hold it before the first change.
bool PrepareSeries(registry::RegistryApi& api);

// Makes change number `step` (from 1): one registry call that changes the
// store, except that deleting a key that is not there yet changes nothing.
// Returns false when a call failed unexpectedly.
bool MakeChange(registry::RegistryApi& api, std::uint64_t step);

}  // namespace zorvanel::robust

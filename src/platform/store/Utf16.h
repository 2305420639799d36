#pragma once
// UTF-16LE to UTF-8, for the .reg files that Windows writes in UTF-16.

#include <string>
#include <string_view>

namespace zorvanel::store {

// Appends the UTF-8 form of UTF-16LE `bytes` to `out`. Returns false at the
// first thing that is not UTF-16 (an odd last byte or an unpaired surrogate),
// leaving in `out` what came before it.
bool AppendUtf8FromUtf16(std::string_view bytes, std::string& out);

}  // namespace zorvanel::store

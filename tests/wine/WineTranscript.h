#pragma once
// Comparing a transcript made on Wine's registry with the one expected on
// the substitute store. Two differences of the real registry are allowed:
// it enumerates keys and values in its own order (Wine: by name), and it
// stores a text that comes without a terminator with one added. So each
// dump in a transcript is put in a canonical form, keys and values sorted
// by name and one terminating NUL taken off every text, and the transcripts
// are compared in that form. Every other line must match as it is.

#include <string>
#include <string_view>
#include <vector>

#include "platform/store/StoreTree.h"

namespace zorvanel::wine {

std::string CanonicalTranscript(std::string_view transcript);

// The same for a transcript made on hive files: a hive orders keys by name
// but keeps values in the order they were made, and stores texts as they
// were written. Every installation has the keys SOFTWARE, SYSTEM and
// SYSTEM\CurrentControlSet, so they are added where a store lacks them.
std::string CanonicalHiveTranscript(std::string_view transcript);

// The .reg text that removes what scenarios on these stores may have
// touched: the keys their dumps cover (the vendor key at least).
std::string ResetRegFile(const std::vector<store::Key>& storeFiles);

}  // namespace zorvanel::wine

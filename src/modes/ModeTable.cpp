#include "modes/ModeTable.h"

namespace zorvanel::modes {

std::optional<std::size_t> RateIndex(std::string_view boxText) {
  for (std::size_t k = 0; k < kRates.size(); ++k) {
    if (kRates[k].text == boxText) return k;
  }
  return std::nullopt;
}

// The outer loop runs over rates, so entries come grouped by rate, lowest
// first, and within one rate in list order.
std::string BuildDecimalModeTable(const Selection& selection) {
  std::string table = "S ";
  for (const Rate& rate : kRates) {
    if (!rate.rangeToken) break;  // only the first seven rates have a decimal form
    for (std::size_t r = 0; r < kResolutionCount; ++r) {
      if (selection[r] != rate.text) continue;
      table += kResolutions[r].decimalToken;
      table += *rate.rangeToken;
      table += ';';
    }
  }
  // Drops the ";" after the last entry, or with no entry at all the blank
  // after "S".
  table.pop_back();
  return table;
}

std::string BuildHexModeTable(const Selection& selection, bool usesPrefix) {
  std::string table = usesPrefix ? "{*}S" : "S";
  for (const Rate& rate : kRates) {
    bool hasMembers = false;
    for (std::size_t r = 0; r < kResolutionCount; ++r) {
      if (selection[r] != rate.text) continue;
      table += kResolutions[r].hexToken;
      hasMembers = true;
    }
    if (hasMembers) {
      table += '=';
      table += rate.hexMask;
      table += ';';
    }
  }
  return table;
}

}  // namespace zorvanel::modes

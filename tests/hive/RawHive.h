#pragma once
// A small reader of hive files for tests, written apart from libhivex (the
// hives' writer) and from the program's own checker: what a hive holds, and
// which kinds of subkey lists hold it. It trusts the hive's shape; a broken
// one makes it throw std::out_of_range.

#include <map>
#include <string>

namespace zorvanel::hive {

struct RawHive {
  // Every key below the root (path, names joined by backslashes) and its
  // values, one line each: name, type, data as the file holds them.
  std::map<std::string, std::string> keys;
  // How many subkey lists of each signature ("lf", "lh", "li", "ri") the
  // keys reached.
  std::map<std::string, int> lists;
};

RawHive ReadRawHive(const std::string& file);

// What changed from one reading to the other: "+ KEY", "- KEY" or "~ KEY",
// each followed by the values it lost ("-") and gained ("+").
std::string RawChanges(const RawHive& before, const RawHive& after);

}  // namespace zorvanel::hive

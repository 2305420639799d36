#pragma once
// Key and value names between the program's ANSI calls and libhivex, which
// takes and gives names as UTF-8.

#include <string>
#include <string_view>

namespace zorvanel::hive {

// An ANSI (Windows-1252) name as libhivex takes it.
std::string ToHiveName(std::string_view ansi);
// A name from libhivex as the ANSI calls give it.
std::string FromHiveName(std::string_view utf8);

}  // namespace zorvanel::hive

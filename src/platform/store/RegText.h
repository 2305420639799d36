#pragma once
// The small pieces of .reg text that the reader, the value types and the
// writer share: the file's fixed lines, blanks, hex numbers and quoting.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorvanel::store {

inline constexpr std::string_view kRegHeaderAnsi = "REGEDIT4";
inline constexpr std::string_view kRegHeaderUnicode = "Windows Registry Editor Version 5.00";
inline constexpr std::string_view kRegLineEnd = "\r\n";

bool IsBlank(char c);
bool IsPrintable(std::uint8_t byte);  // printable ASCII
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
std::string_view Trim(std::string_view text);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Quotes a piece of a bad line for an error message, cut short so a huge
// malformed line does not make a huge message.
std::string Excerpt(std::string_view text);
// "<what> the limit of <limit> <unit>", the reader's refusal of a size.
std::string LimitText(std::string_view what, std::size_t limit, std::string_view unit);

// 1 to maxDigits hex digits, nothing else.
std::optional<std::uint32_t> ParseHexNumber(std::string_view text, std::size_t maxDigits);
// Lower-case hex digits, with leading zeros up to minDigits.
void AppendHexNumber(std::string& out, std::uint32_t number, int minDigits);
// `text` in double quotes, with \ and " escaped by a backslash.
void AppendQuoted(std::string& out, std::string_view text);

}  // namespace zorvanel::store

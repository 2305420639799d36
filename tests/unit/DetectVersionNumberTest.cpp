#include "detect/VersionNumber.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zorvanel::detect {
namespace {

TEST(DetectVersionNumber, TakesEveryOtherCharacterAsAWholeNumber) {
  const std::pair<std::string, std::optional<std::int16_t>> cases[] = {
      {"4.5.2.3", 4523}, {"2.8.3.2", 2832}, {"5.2.1.6", 5216}, {"0.0.4.5", 45},
      {"4.5.2.3.9.9", 4523},  // characters after the 7th do not count
      {"4.1", 41}, {"4", 4},  // positions beyond the end contribute nothing
      {"0.0.0.0", 0},         // readable, though it names no real driver
      {"", std::nullopt},     // an empty text after a failed read
      {"45.23", std::nullopt},         // "4.3": a decimal point
      {"6.14.10.4523", std::nullopt},  // "61.0"
      {"a.b.c.d", std::nullopt}, {"4.5.2.x", std::nullopt},
      {" .4.5.2", std::nullopt}, {"-.4.5.2", std::nullopt}, {"+.4.5.2", std::nullopt},  // no digits
  };
  for (const auto& [text, number] : cases) {
    EXPECT_EQ(VersionNumberFrom(text), number) << "version text \"" << text << "\"";
  }
}

TEST(DetectVersionNumber, StoredVersionIsAFiniteNumberOrNothing) {
  const std::pair<std::string, std::optional<double>> cases[] = {
      {"4523", 4523.0}, {"4403", 4403.0}, {"4523.0", 4523.0}, {"0", 0.0},
      {"45.23", 45.23},     // a number, and one that differs from 4523
      {"", std::nullopt},   // empty after a failed read
      {"n/a", std::nullopt}, {"4523 ", std::nullopt}, {"4523abc", std::nullopt},
      {"inf", std::nullopt}, {"nan", std::nullopt},
  };
  for (const auto& [text, number] : cases) {
    EXPECT_EQ(StoredVersionFrom(text), number) << "stored text \"" << text << "\"";
  }
}

}  // namespace
}  // namespace zorvanel::detect

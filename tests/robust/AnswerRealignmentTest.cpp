#include "tests/robust/AnswerRealignment.h"

#include <gtest/gtest.h>

namespace zorvanel::robust {
namespace {

const std::string kErrorBoxStuck =
    "box \"Error\" critical OK \"Unknown Registry-error occured.\" -> ?\n";

TEST(AnswerRealignmentTest, PutsInAnOkForAnErrorBoxThatCameFirst) {
  const std::string script = "answer Yes\nstart\nanswer Yes No\nclick cmdApply\n";
  const std::string output =
      "box \"Version conflict\" question YesNo \"…\" -> Yes\n"
      "box \"Error\" critical OK \"Unknown Registry-error occured.\" -> OK (default)\n"
      "window frmMainframe shown\n" + kErrorBoxStuck;
  const auto realigned = RealignAnswers(script, output,
                                        "-:4: answer Yes does not fit the box \"Error\"\n--- exit 2\n");
  ASSERT_TRUE(realigned);
  EXPECT_EQ(*realigned, "answer Yes\nstart\nanswer OK Yes No\nclick cmdApply\n");
}

TEST(AnswerRealignmentTest, TakesOutTheOkOfAnErrorBoxThatNoLongerComes) {
  const std::string script = "answer Yes OK No\nclick cmdApply\n";
  const std::string output =
      "box \"The final frontier\" information YesNo \"…\" -> Yes\n"
      "box \"Completion\" question YesNo \"…\" -> ?\n";
  const auto realigned = RealignAnswers(
      script, output, "-:2: answer OK does not fit the box \"Completion\"\n--- exit 2\n");
  ASSERT_TRUE(realigned);
  EXPECT_EQ(*realigned, "answer Yes No\nclick cmdApply\n");
}

TEST(AnswerRealignmentTest, LeavesRunsThatDidNotStopOnAnAnswer) {
  EXPECT_FALSE(RealignAnswers("start\n", "window frmMainframe shown\n", ""));
  EXPECT_FALSE(RealignAnswers("bogus\n", "", "-:1: unknown command bogus\n--- exit 2\n"));
}

}  // namespace
}  // namespace zorvanel::robust

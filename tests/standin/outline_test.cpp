#include "tools/outline.h"

#include <gtest/gtest.h>

#include <string>

namespace rowshift::outline {
namespace {

TEST(OutlineTest, ReadsDepthFromIndentAndFlagsFromBrackets) {
  const ParseResult parsed = ParseOutline(
      "Body [current]\n"
      "  Arm [selected collapsed]\n"
      "    Hand\n"
      "Lamp [ineligible]\n"
      "-\n");
  ASSERT_FALSE(parsed.error) << parsed.error->message;
  ASSERT_EQ(parsed.rows.size(), 5u);
  EXPECT_EQ(parsed.rows[0].name, "Body");
  EXPECT_TRUE(parsed.rows[0].current);
  EXPECT_EQ(parsed.rows[1].depth, 1);
  EXPECT_TRUE(parsed.rows[1].selected);
  EXPECT_TRUE(parsed.rows[1].collapsed);
  EXPECT_FALSE(parsed.rows[1].current);
  EXPECT_EQ(parsed.rows[2].depth, 2);
  EXPECT_TRUE(parsed.rows[3].ineligible);
  EXPECT_TRUE(parsed.rows[4].empty);
}

TEST(OutlineTest, SkipsBlankAndCommentLinesButCountsThemForLineNumbers) {
  const ParseResult parsed = ParseOutline("# a comment\n\nA\n   \n  # indented comment\nB\n");
  ASSERT_FALSE(parsed.error);
  ASSERT_EQ(parsed.rows.size(), 2u);
  EXPECT_EQ(parsed.rows[1].name, "B");

  const ParseResult broken = ParseOutline("# comment\n\nA\n B\n");
  ASSERT_TRUE(broken.error);
  EXPECT_EQ(broken.error->line, 4);
}

TEST(OutlineTest, AnEmptySlotMayBeCurrentAtAnyIndent) {
  const ParseResult parsed = ParseOutline("A\n    - [current]\n");
  ASSERT_FALSE(parsed.error);
  ASSERT_EQ(parsed.rows.size(), 2u);
  EXPECT_TRUE(parsed.rows[1].empty);
  EXPECT_TRUE(parsed.rows[1].current);
  EXPECT_EQ(FormatOutline(parsed.rows), "A\n- [current]\n");
}

TEST(OutlineTest, NamesWithSpacesSurviveAndCarriageReturnsAreDropped) {
  const ParseResult parsed = ParseOutline("Left Arm [selected]\r\n  Upper  part\r\n");
  ASSERT_FALSE(parsed.error);
  EXPECT_EQ(parsed.rows[0].name, "Left Arm");
  EXPECT_EQ(parsed.rows[1].name, "Upper  part");
}

TEST(OutlineTest, FormatWritesWhatParseReads) {
  const std::string text =
      "Body [current]\n"
      "  Arm [selected collapsed ineligible]\n"
      "    Hand\n"
      "-\n"
      "Odd [depth=-2]\n"
      "Lamp [ineligible]\n";
  const ParseResult parsed = ParseOutline(text);
  ASSERT_FALSE(parsed.error) << parsed.error->message;
  EXPECT_EQ(parsed.rows[4].depth, -2);
  EXPECT_EQ(FormatOutline(parsed.rows), text);
}

TEST(OutlineTest, FlagsAreWrittenInOneOrderWhateverOrderTheyWereRead) {
  const ParseResult parsed = ParseOutline("A [ineligible collapsed selected current]\n");
  ASSERT_FALSE(parsed.error);
  EXPECT_EQ(FormatOutline(parsed.rows), "A [current selected collapsed ineligible]\n");
}

struct BadOutline {
  const char* text;
  int line;
  const char* message_part;
};

class OutlineErrorTest : public ::testing::TestWithParam<BadOutline> {};

TEST_P(OutlineErrorTest, NamesTheLineAndTheFault) {
  const ParseResult parsed = ParseOutline(GetParam().text);
  ASSERT_TRUE(parsed.error) << GetParam().text;
  EXPECT_EQ(parsed.error->line, GetParam().line);
  EXPECT_NE(parsed.error->message.find(GetParam().message_part), std::string::npos)
      << parsed.error->message;
  EXPECT_TRUE(parsed.rows.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, OutlineErrorTest,
    ::testing::Values(BadOutline{"A\n   B\n", 2, "odd indent"}, BadOutline{"A\n\tB\n", 2, "tab"},
                      BadOutline{"A [shiny]\n", 1, "unknown flag"},
                      BadOutline{"A\n  [selected]\n", 2, "without a name"},
                      BadOutline{"A [current]\nB [current]\n", 2, "second current"},
                      BadOutline{"A [selected\n", 1, "not closed"},
                      BadOutline{"A [selected] B\n", 1, "after the flags"},
                      BadOutline{"- [selected]\n", 1, "empty slot"},
                      BadOutline{"A [depth=x]\n", 1, "bad depth"}));

}  // namespace
}  // namespace rowshift::outline

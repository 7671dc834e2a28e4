#include "outline/outline.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <vector>

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
  const ParseResult parsed =
      ParseOutline("# a comment\r\n\n# two\nA\n   \n  #1 Box\n# later \xE2\x80\x8F\nB\n#\n");
  ASSERT_FALSE(parsed.error);
  ASSERT_EQ(parsed.rows.size(), 3u);
  EXPECT_EQ(parsed.rows[1].name, "#1 Box") << "only the first column starts a comment";
  EXPECT_EQ(parsed.rows[2].name, "B");
  EXPECT_EQ(parsed.head, "# a comment\n\n# two\n");
  EXPECT_EQ(parsed.later_comments, 2);
  EXPECT_EQ(WithHead(parsed.head, FormatOutline(parsed.rows)),
            "# a comment\n\n# two\nA\n  \\#1 Box\nB\n");

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

TEST(OutlineTest, BackslashesLetANameHoldWhatTheFormatUses) {
  const std::string text = "\\#1 Box [current]\n  a \\[b] \\\\ c\n\\-\n\\ spaced\\ \n";
  const ParseResult parsed = ParseOutline(text);
  ASSERT_FALSE(parsed.error) << parsed.error->message;
  ASSERT_EQ(parsed.rows.size(), 4u);
  EXPECT_EQ(parsed.rows[0].name, "#1 Box");
  EXPECT_EQ(parsed.rows[1].name, "a [b] \\ c");
  EXPECT_EQ(parsed.rows[2].name, "-");
  EXPECT_FALSE(parsed.rows[2].empty);
  EXPECT_EQ(parsed.rows[3].name, " spaced ");
  EXPECT_EQ(FormatOutline(parsed.rows), text);
}

TEST(OutlineTest, NamesWithSpacesSurviveAndCarriageReturnsAreDropped) {
  const ParseResult parsed = ParseOutline("Left Arm [selected]\r\n  Upper  part\r\n");
  ASSERT_FALSE(parsed.error);
  EXPECT_EQ(parsed.rows[0].name, "Left Arm");
  EXPECT_EQ(parsed.rows[1].name, "Upper  part");
}

TEST(OutlineTest, EveryLineEndReadsAlikeAndOneByteOrderMarkIsSkipped) {
  const std::string mark = "\xEF\xBB\xBF";
  const std::string expected = "Body [current]\n  Arm\n-\n";
  for (const std::string& text :
       {expected, std::string("Body [current]\r\n  Arm\r\n-"),
        std::string("Body [current]\r  Arm\r-\r"), mark + "Body [current]\r\n  Arm\n-\r",
        std::string("Body [current]\r\r\n  Arm\n\n-")}) {
    const ParseResult parsed = ParseOutline(text);
    ASSERT_FALSE(parsed.error) << text;
    EXPECT_EQ(FormatOutline(parsed.rows), expected) << text;
  }
}

TEST(OutlineTest, DepthJumpsAreReadOnlyWhenAskedFor) {
  const std::string careless = "Room\n    Chair\nLamp [depth=7]\n";
  EXPECT_TRUE(ParseOutline(careless).error);
  ParseOptions options;
  options.allow_depth_jumps = true;
  const ParseResult parsed = ParseOutline(careless, options);
  ASSERT_FALSE(parsed.error) << parsed.error->message;
  EXPECT_EQ(parsed.rows[1].depth, 2);
  EXPECT_EQ(parsed.rows[2].depth, 7);
  EXPECT_EQ(FormatOutline(parsed.rows), "Room\n    Chair\n              Lamp\n");
}

TEST(OutlineTest, ReadsNoMoreRowsThanAskedFor) {
  ParseOptions options;
  options.most_rows = 2;
  const ParseResult two = ParseOutline("A\n# more\n\n  B\n# comments are no rows\n", options);
  ASSERT_FALSE(two.error) << two.error->message;
  EXPECT_EQ(two.rows.size(), 2u);
  const ParseResult three = ParseOutline("A\n# more\n-\n  B\n", options);
  ASSERT_TRUE(three.error);
  EXPECT_EQ(three.error->line, 4);
  EXPECT_EQ(three.error->message, "more than 2 rows, the most that are read");
}

TEST(OutlineTest, DeepRowsAreWrittenWithTheDepthFlagSoTextGrowsLinearly) {
  ParseOptions careless;
  careless.allow_depth_jumps = true;
  const ParseResult parsed = ParseOutline(
      "Top\n" + std::string(2 * kDeepestIndentedDepth, ' ') + "A\n" +
          std::string(2 * (kDeepestIndentedDepth + 1), ' ') + "B [selected]\nC [depth=40]\n",
      careless);
  ASSERT_FALSE(parsed.error) << parsed.error->message;
  EXPECT_EQ(FormatOutline(parsed.rows), "Top\n" + std::string(2 * kDeepestIndentedDepth, ' ') +
                                            "A\nB [selected depth=33]\nC [depth=40]\n");

  constexpr int kRows = 10000;
  constexpr std::size_t kLongestLine = 32 + 2 * kDeepestIndentedDepth;
  std::vector<OutlineRow> staircase(kRows);
  for (int i = 0; i < kRows; ++i) {
    staircase[i].name = "n" + std::to_string(i);
    staircase[i].depth = i;
  }
  EXPECT_LT(FormatOutline(staircase).size(), kRows * kLongestLine);
}

// Random documents, and random texts built from the format's own pieces, read
// back as they were written.
TEST(OutlineTest, WhatIsWrittenReadsBackTheSame) {
  std::mt19937 random(20261207);
  const std::vector<std::string> pieces = {
      "A",       "b c",      " ",         "  ",         "-",        "#",           "[",       "]",
      "current", "selected", "collapsed", "ineligible", "depth=",   "-7",          "1000000", "\n",
      "\r",      "\r\n",     "\xC3\xA9",  "x]y",        "\xC2\xA0", "\xE3\x80\x80"};
  const std::vector<std::string> name_starts = {"A", "b c", "\xC2\xA0", "\xE3\x80\x80 x", "C:\\U"};
  ParseOptions careless;
  careless.allow_depth_jumps = true;
  for (int round = 0; round < 3000; ++round) {
    std::vector<OutlineRow> rows(random() % 8);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      OutlineRow& row = rows[i];
      row.empty = random() % 6 == 0;
      row.current = i == 0 && random() % 2 == 0;
      if (row.empty) continue;
      row.name = name_starts[random() % name_starts.size()] + (random() % 2 ? "\xC3\xA9 x]" : "");
      row.depth = static_cast<int>(random() % (kDepthLimit + 1));
      if (random() % 2) row.depth = static_cast<int>(random() % (kDeepestIndentedDepth + 2));
      row.selected = random() % 2;
      row.collapsed = random() % 2;
      row.ineligible = random() % 2;
    }
    const ParseResult written = ParseOutline(FormatOutline(rows), careless);
    ASSERT_FALSE(written.error) << FormatOutline(rows) << written.error->message;
    EXPECT_EQ(FormatOutline(written.rows), FormatOutline(rows));

    std::string text;
    for (int piece = random() % 24; piece > 0; --piece) text += pieces[random() % pieces.size()];
    const ParseResult read = ParseOutline(text);
    if (read.error) continue;
    const ParseResult reread = ParseOutline(FormatOutline(read.rows));
    ASSERT_FALSE(reread.error) << text;
    EXPECT_EQ(FormatOutline(reread.rows), FormatOutline(read.rows)) << text;
  }
}

TEST(OutlineTest, FormatWritesWhatParseReads) {
  const std::string text =
      "Body [current]\n"
      "  Arm [selected collapsed ineligible]\n"
      "    Hand\n"
      "-\n"
      "Deep [depth=40]\n"
      "Lamp [ineligible]\n";
  ParseOptions careless;
  careless.allow_depth_jumps = true;
  const ParseResult parsed = ParseOutline(text, careless);
  ASSERT_FALSE(parsed.error) << parsed.error->message;
  EXPECT_EQ(parsed.rows[4].depth, 40);
  EXPECT_EQ(FormatOutline(parsed.rows), text);
}

TEST(OutlineTest, FlagsAreWrittenInOneOrderWhateverOrderTheyWereRead) {
  const ParseResult parsed = ParseOutline("A [ineligible Collapsed selected CURRENT]\n");
  ASSERT_FALSE(parsed.error);
  EXPECT_EQ(FormatOutline(parsed.rows), "A [current selected collapsed ineligible]\n");
}

struct BadOutline {
  std::string text;
  int line;
  const char* message_part;
};

class OutlineErrorTest : public ::testing::TestWithParam<BadOutline> {};

TEST_P(OutlineErrorTest, NamesTheLineAndTheFault) {
  const ParseResult parsed = ParseOutline(GetParam().text);
  ASSERT_TRUE(parsed.error) << GetParam().text;
  EXPECT_LE(parsed.error->quoted_line.size(), kQuotedLineLength + 3);
  EXPECT_LT(parsed.error->message.size(), 2 * kQuotedLineLength);
  EXPECT_EQ(parsed.error->line, GetParam().line);
  EXPECT_NE(parsed.error->message.find(GetParam().message_part), std::string::npos)
      << parsed.error->message;
  EXPECT_TRUE(parsed.rows.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, OutlineErrorTest,
    ::testing::Values(
        BadOutline{"A\n   B\n", 2, "odd indent"}, BadOutline{"A\n\tB\n", 2, "tab"},
        BadOutline{"A [shiny]\n", 1, "unknown flag"},
        BadOutline{"A\n  [selected]\n", 2, "without a name"},
        BadOutline{"A [current]\nB [current]\n", 2, "second current"},
        BadOutline{"A [selected\n", 1, "not closed"},
        BadOutline{"A [selected] B\n", 1, "after the flags"},
        BadOutline{"- [selected]\n", 1, "empty slot"}, BadOutline{"A [depth=x]\n", 1, "bad depth"},
        BadOutline{"A\rB\r\n\x01C\n", 3, "control character"},
        BadOutline{"A\nB\x7F\n", 2, "control character"},
        BadOutline{"A [depth=-1]\n", 1, "negative depth"},
        BadOutline{"A [depth=3 depth=4]\n", 1, "second depth"},
        BadOutline{"A\n  B [depth=3]\n", 2, "the indent says depth 1 but the flag says 3"},
        BadOutline{"  Body\n    Arm\n", 1, "first row is indented"},
        BadOutline{"A\\\n", 1, "backslash that escapes nothing"},
        BadOutline{"A [Shiny]\n", 1, "(flags: current selected collapsed ineligible depth=N)"},
        BadOutline{"A [depth=99999999999999999999]\n", 1, "beyond the limit"},
        BadOutline{"A\n" + std::string(2 * (kDepthLimit + 1), ' ') + "B\n", 2,
                   "beyond the depth limit"},
        BadOutline{"A\n" + std::string(5000, 'x') + " [" + std::string(5000, 'y') + "]\n", 2,
                   "unknown flag \"yyy"},
        BadOutline{"Room\n    Chair\n", 2,
                   "2 levels below the object in front of it (depth 2 after 0); a row goes at most "
                   "one level deeper: indent two spaces per level"},
        BadOutline{"A\nB [depth=1000000]\n", 2, "1000000 levels below"},
        BadOutline{"A\n  B\n-\n      C\n", 4, "(depth 3 after 1)"},
        BadOutline{"# c\n-\n  A\n", 3,
                   "the first object at depth 1, not at the top level; indent two spaces"},
        BadOutline{"\xE3\x80\x80"
                   "Chair\n",
                   1, "indented with a full-width space (U+3000), which looks like a space"},
        BadOutline{"Room\n  \xC2\xA0"
                   "Chair\n",
                   2, "a no-break space (U+00A0)"},
        BadOutline{"Room\n\xE2\x80\x83- [current]\n", 2, "an em space (U+2003)"},
        BadOutline{"A\nC:\\Users\\me\n", 2,
                   "a backslash before \"U\", which needs no escape, at column 3: write \\\\ for a "
                   "backslash"},
        BadOutline{"\\\\server\\share\n", 1, "before \"s\", which needs no escape, at column 9"},
        BadOutline{"A\\\xC3\xA9\n", 1, "before \"\xC3\xA9\", which needs no escape, at column 2"},
        BadOutline{"A\\\xFF\xC3\xA9\\\n", 1, "before \"\xFF\", which needs no escape"},
        BadOutline{"\xEF\xBB\xBF"
                   "A\n\xEF\xBB\xBF"
                   "B\n",
                   2, "a byte-order mark (U+FEFF) at column 1"},
        BadOutline{"\xEF\xBB\xBF\xEF\xBB\xBF"
                   "A\n",
                   1, "a byte-order mark (U+FEFF) at column 1"},
        BadOutline{"A\xE2\x80\x8B\n", 1, "a zero-width space (U+200B) at column 2"},
        BadOutline{"\xC3\xA9\xE2\x80\x8D\n", 1, "an invisible joiner (U+200D) at column 2"},
        BadOutline{"A\xC2\x85\n", 1, "a control character (U+0085) at column 2"},
        BadOutline{"A\xE2\x80\xAE"
                   "B\n",
                   1, "an invisible direction control (U+202E)"},
        BadOutline{"A [current\x01]\n", 1, "a control character (U+0001) at column 11"}));

}  // namespace
}  // namespace rowshift::outline

// The command line of rowshift-host: which word is the outline file, which
// are steps, and which lines are refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/rowshift_host/rowshift_host_options.h"

namespace rowshift::tool {
namespace {

using Kind = Step::Kind;

std::vector<std::pair<Kind, std::string>> StepsOf(const Options& options) {
  std::vector<std::pair<Kind, std::string>> steps;
  for (const Step& step : options.steps) steps.emplace_back(step.kind, step.text);
  return steps;
}

TEST(RowshiftHostOptions, FirstPlainWordIsTheOutlineAndTheRestAreStepsInOrder) {
  const ParsedOptions parsed = ParseOptions(
      {"--trace", "scene.txt", "up", "click", "up(&U)", "show", "--window", "hide", "close", "3"});

  ASSERT_FALSE(parsed.error) << *parsed.error;
  EXPECT_EQ(parsed.options.outline_path, "scene.txt");
  EXPECT_TRUE(parsed.options.trace);
  EXPECT_TRUE(parsed.options.window);
  EXPECT_FALSE(parsed.options.list);
  const std::vector<std::pair<Kind, std::string>> expected{
      {Kind::kSubcommand, "up"}, {Kind::kClick, "up(&U)"}, {Kind::kShow, ""},
      {Kind::kHide, ""},         {Kind::kClose, ""},       {Kind::kSubcommand, "3"}};
  EXPECT_EQ(StepsOf(parsed.options), expected);
}

TEST(RowshiftHostOptions, ValuesComeAfterTheOptionOrAfterAnEqualsSign) {
  const ParsedOptions parsed = ParseOptions({"--plugin=./P.so", "--host-module", "./H.so",
                                             "--settings", "s.xml", "scene.txt", "--svg=a.svg"});

  ASSERT_FALSE(parsed.error) << *parsed.error;
  EXPECT_EQ(parsed.options.plugin_path, "./P.so");
  EXPECT_EQ(parsed.options.host_module_path, "./H.so");
  EXPECT_EQ(parsed.options.settings_path, "s.xml");
  EXPECT_EQ(parsed.options.picture_path, "a.svg");
  EXPECT_TRUE(parsed.options.steps.empty());
}

TEST(RowshiftHostOptions, ClickTakesTheNextWordEvenWhenItLooksLikeAStep) {
  const ParsedOptions parsed = ParseOptions({"scene.txt", "click", "close", "up"});

  ASSERT_FALSE(parsed.error) << *parsed.error;
  const std::vector<std::pair<Kind, std::string>> expected{{Kind::kClick, "close"},
                                                           {Kind::kSubcommand, "up"}};
  EXPECT_EQ(StepsOf(parsed.options), expected);
}

TEST(RowshiftHostOptions, ListingAndWindowNeedNoOutline) {
  EXPECT_FALSE(ParseOptions({"--list"}).error);
  EXPECT_FALSE(ParseOptions({"--window"}).error);
  EXPECT_FALSE(ParseOptions({"--help"}).error);
}

struct RefusedLine {
  std::vector<std::string> arguments;
  std::string message;
};

TEST(RowshiftHostOptions, RefusesLinesItCannotRunWithAReason) {
  const std::vector<RefusedLine> refused{
      {{}, "no outline file given"},
      {{"scene.txt", "--settings"}, "--settings needs a value"},
      {{"scene.txt", "--plugin="}, "--plugin needs a non-empty value"},
      {{"--list", "--svg", "a.svg"}, "--svg needs an outline file"},
      {{"scene.txt", "--verbose"}, "unknown option '--verbose'"},
      {{"scene.txt", "--svg", "a.svg", "--svg-lang", "fr"},
       "--svg-lang takes en (English) or ja (Japanese), not 'fr'"},
      {{"scene.txt", "--svg-lang", "ja", "up"},
       "--svg-lang needs --svg: it sets the language of the picture"},
      {{"scene.txt", "click"},
       "click needs a button: its label (up(&U) or up) or its position 0-5"},
      {{"--output", "a.txt", "scene.txt", "--output=b.txt"},
       "--output is given twice ('a.txt', then 'b.txt'); give it once"},
      {{"--svg", "a.svg", "--svg", "a.svg", "scene.txt"},
       "--svg is given twice ('a.svg', then 'a.svg'); give it once"},
      {{"--settings", "s.xml", "--settings", "t.xml", "--list"},
       "--settings is given twice ('s.xml', then 't.xml'); give it once"},
  };
  for (const RefusedLine& line : refused) {
    const ParsedOptions parsed = ParseOptions(line.arguments);
    ASSERT_TRUE(parsed.error) << line.message;
    EXPECT_EQ(*parsed.error, line.message);
  }
}

}  // namespace
}  // namespace rowshift::tool

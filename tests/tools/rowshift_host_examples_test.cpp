// rowshift-host on the example outlines: the document after each step, and the
// plug-in's answer, as the program prints them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/host_process_support.h"

namespace rowshift::testing {
namespace {

struct ExampleCase {
  const char* name;
  // An example's name, or a suite file's text after "text:", or after "stdin:"
  // for text given on standard input.
  std::string outline_file;
  std::vector<std::string> steps;           // options may stand among them
  std::vector<PrintedBlock> printed_steps;  // heading "KEY -> ANSWER: CHANGE", then the outline
  // With --output: the outline's comments that the written file keeps in front
  // of the document printed last, and what standard error says.
  std::string written_head = "";
  std::string warnings = "";
  // The byte-order mark and line end the written outline keeps from the outline.
  std::string written_mark = "";
  std::string written_line_end = "\n";
};

// `text` with a mark in front and each line ended with `line_end`.
std::string Laid(const std::string& text, const std::string& mark, const std::string& line_end) {
  std::string laid = mark;
  for (const char c : text) laid += c == '\n' ? line_end : std::string(1, c);
  return laid;
}

constexpr char kInlineOutline[] = "text:";
constexpr char kStandardInput[] = "stdin:";
constexpr char kOutputOption[] = "--output";

std::string Example(const char* file) { return file; }
// Documents that no example holds: without a current object, or with the last
// row current, for the answers other than "done".
std::string Inline(const std::string& text) { return kInlineOutline + text; }
std::string OnStandardInput(const char* text) { return std::string(kStandardInput) + text; }

// The outline argument, and the file standard input is read from, if any.
std::string OutlineFileOf(const ExampleCase& example, std::string* input_file) {
  const std::string& file = example.outline_file;
  for (const std::string prefix : {kInlineOutline, kStandardInput}) {
    if (file.rfind(prefix, 0) != 0) continue;
    const std::string path =
        WriteSuiteFile(std::string(example.name) + ".txt", file.substr(prefix.size()));
    if (prefix == kInlineOutline) return path;
    *input_file = path;
    return "-";
  }
  return ExamplePath(file);
}

// `count` lines "PREFIXi SUFFIX", i from 0.
std::string Numbered(int count, const std::string& prefix, const std::string& suffix = "") {
  std::string text;
  for (int i = 0; i < count; ++i) text += prefix + std::to_string(i) + suffix + "\n";
  return text;
}

std::string EmptySlots(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "-\n";
  return text;
}

std::vector<ExampleCase> ExampleCases() {
  constexpr int kManyObjects = 4000;
  return {
      {"UpAndDownWalkIntoAndOutOfAnObject",
       Example("up_down.txt"),
       {"up", "up", "down", "down"},
       {{"up -> 1: moved Vase; 1 empty slot left", "Shelf\n  Vase [current]\n  Book\n-\n"},
        {"up -> 1: moved Vase; 1 empty slot left", "Vase [current]\nShelf\n-\n  Book\n-\n"},
        {"down -> 1: moved Vase; 1 empty slot left", "-\nShelf\n  Vase [current]\n-\n  Book\n-\n"},
        {"down -> 1: moved Vase; 1 empty slot left",
         "-\nShelf\n-\n-\n  Book\nVase [current]\n-\n"}}},
      {"UpAndDownPassACollapsedObjectInOneStep",
       Example("collapsed.txt"),
       {"down", "up"},
       {{"down -> 1: moved Vase; 1 empty slot left",
         "-\nShelf [collapsed]\n  Book\n  Clock\nVase [current]\n"},
        {"up -> 1: moved Vase; 1 empty slot left",
         "Vase [current]\n-\nShelf [collapsed]\n  Book\n  Clock\n-\n"}}},
      {"TopBringsTheSelectionToTheFrontInListOrder",
       Example("top_bottom.txt"),
       {"top"},
       {{"top -> 1: moved Chair, Lamp; 3 empty slots left",
         "Chair [selected]\n  Cushion\nLamp [selected]\nFloor\n-\n-\nTable\n-\nRug\n"
         "Bin [ineligible]\n"}}},
      {"BottomPutsTheSelectionBehindTheLastEligibleObject",
       Example("top_bottom.txt"),
       {"bottom"},
       {{"bottom -> 1: moved Chair, Lamp; 3 empty slots left",
         "Floor\n-\n-\nTable\n-\nRug\nChair [selected]\n  Cushion\nLamp [selected]\n"
         "Bin [ineligible]\n"}}},
      {"GatherMakesTheSelectionTheFirstChildren",
       Example("gather.txt"),
       {"gather"},
       {{"gather -> 1: moved Chair, Lamp; 3 empty slots left",
         "Table [current selected]\n  Chair [selected]\n    Cushion\n  Lamp [selected]\n"
         "  Cloth\nRug\n-\n-\n-\n"}}},
      {"InsertBringsTheLastRowBehindTheCollapsedCurrentObject",
       Example("insert.txt"),
       {"insert"},
       {{"insert -> 1: moved Rug; 1 empty slot left",
         "Room\n  Table [current collapsed]\n    Cloth\n  Rug\n  Chair\nHall\n-\n"}}},
      {"SceneUpUpGather",
       Example("scene.txt"),
       {"up", "up", "gather"},
       {{"up -> 1: moved Arm; 2 empty slots left",
         "Arm [current selected]\n  Hand\nBody [selected]\n-\n-\n  Leg\nHead [selected]\n"
         "Lamp [ineligible]\n"},
        {"up -> 1: moved Arm; 2 empty slots left",
         "-\n-\nBody [selected]\n-\n-\n  Leg\nHead [selected]\nArm [current selected]\n"
         "  Hand\nLamp [ineligible]\n"},
        {"gather -> 1: moved Body, Head; 3 empty slots left",
         "-\n-\n-\n-\n-\n-\n-\nArm [current selected]\n  Body [selected]\n    Leg\n"
         "  Head [selected]\n  Hand\nLamp [ineligible]\n"}}},
      {"WithoutACurrentObjectNothingChanges",
       Inline("Shelf\n  Book\nVase\n"),
       {"up", "gather", "insert"},
       {{"up -> -1: nothing changed", "Shelf\n  Book\nVase\n"},
        {"gather -> 0: nothing changed", "Shelf\n  Book\nVase\n"},
        {"insert -> -1: nothing changed", "Shelf\n  Book\nVase\n"}}},
      {"InsertOnTheLastRowAnswersItsIndex",
       Inline("Shelf\nBook\nVase [current]\n"),
       {"insert"},
       {{"insert -> 2: nothing changed", "Shelf\nBook\nVase [current]\n"}}},
      {"AnObjectReCreatedInItsPlaceHasNotMoved",
       Inline("Lone [current]\n"),
       {"down"},
       {{"down -> 1: nothing moved; 1 empty slot left", "Lone [current]\n-\n"}}},
      {"ObjectsReCreatedWhereTheyStoodHaveNotMovedAtAnySize",
       Inline(Numbered(kManyObjects, "S", " [selected]") + "Last [current]\n"),
       {"top"},
       {{"top -> 1: nothing moved; 4000 empty slots left",
         Numbered(kManyObjects, "S", " [selected]") + EmptySlots(kManyObjects) +
             "Last [current]\n"}}},
      {"TheOneObjectMovedIsNamedAtAnySize",
       Inline("A [current]\n" + Numbered(kManyObjects, "O") + "Last\n"),
       {"insert"},
       {{"insert -> 1: moved Last; 1 empty slot left",
         "A [current]\nLast\n" + Numbered(kManyObjects, "O") + "-\n"}}},
      {"EscapedNamesArePrintedAsTheyReadBack",
       Inline("# a comment\n\\#1 Box [current]\n  a \\[b]\n  #2\n"),
       {"insert"},
       {{"insert -> 1: moved #2; 1 empty slot left",
         "\\#1 Box [current]\n  \\#2\n  a \\[b]\n-\n"}}},
      {"StepsAndFlagsAreMatchedInAnyCase",
       OnStandardInput("Shelf [Selected]\nVase [CURRENT]\n"),
       {"Up"},
       {{"up -> 1: moved Vase; 1 empty slot left", "Vase [current]\nShelf [selected]\n-\n"}}},
      {"OutputOverTheOutlineEditsItInPlace",
       Inline("Shelf\nVase [current]\n"),
       {kOutputOption, "tools_tests_OutputOverTheOutlineEditsItInPlace.txt", "up"},
       {{"up -> 1: moved Vase; 1 empty slot left", "Vase [current]\nShelf\n-\n"}}},
      {"EditingInPlaceKeepsTheCommentsInFrontOfTheFirstRow",
       Inline("# Shelf and vase\n\n# kept\nShelf\n# dropped\nVase [current]\n# dropped too\n"),
       {kOutputOption, "tools_tests_EditingInPlaceKeepsTheCommentsInFrontOfTheFirstRow.txt", "up"},
       {{"up -> 1: moved Vase; 1 empty slot left", "Vase [current]\nShelf\n-\n"}},
       "# Shelf and vase\n\n# kept\n",
       "rowshift-host: warning: 2 comment lines among the rows of "
       "tools_tests_EditingInPlaceKeepsTheCommentsInFrontOfTheFirstRow.txt were left out of "
       "'tools_tests_EditingInPlaceKeepsTheCommentsInFrontOfTheFirstRow.txt'; the comments in "
       "front of the first row are kept\n"},
      {"EditingInPlaceKeepsLineEndsAndByteOrderMark",
       Inline("\xEF\xBB\xBF# marked\r\nShelf\r\nVase [current]\r\n"),
       {kOutputOption, "tools_tests_EditingInPlaceKeepsLineEndsAndByteOrderMark.txt", "up"},
       {{"up -> 1: moved Vase; 1 empty slot left", "Vase [current]\nShelf\n-\n"}},
       "# marked\n",
       "",
       "\xEF\xBB\xBF",
       "\r\n"},
      {"OutputFromStandardInputKeepsTheCommentsLikeAnyOther",
       OnStandardInput("# kept\nShelf\n# dropped\nVase [current]\n"),
       {kOutputOption, "tools_tests_from_standard_input.txt", "up"},
       {{"up -> 1: moved Vase; 1 empty slot left", "Vase [current]\nShelf\n-\n"}},
       "# kept\n",
       "rowshift-host: warning: 1 comment line among the rows of standard input was left out of "
       "'tools_tests_from_standard_input.txt'; the comments in front of the first row are kept\n"},
      {"OutputToStandardOutputLeavesTheReportOnStandardError",
       Example("up_down.txt"),
       {kOutputOption, "-", "up"},
       {{"up -> 1: moved Vase; 1 empty slot left", "Shelf\n  Vase [current]\n  Book\n-\n"}},
       "# up and down: the current object steps by one row and takes the\n"
       "# depth of the row that then follows it, so it walks into and out of Shelf.\n"
       "# Try: rowshift-host examples/up_down.txt up up down down\n"},
      {"DevStdoutIsStandardOutput",
       Example("up_down.txt"),
       {"--compact", kOutputOption, "/dev/stdout", "up"},
       {{"up -> 1: moved Vase; 1 empty slot left", "Shelf\n  Vase [current]\n  Book\n"}},
       "# up and down: the current object steps by one row and takes the\n"
       "# depth of the row that then follows it, so it walks into and out of Shelf.\n"
       "# Try: rowshift-host examples/up_down.txt up up down down\n"},
      {"CompactLeavesOutEmptySlotsAndOutputKeepsTheResult",
       Example("up_down.txt"),
       {"--compact", kOutputOption, "tools_tests_output.txt", "up"},
       {{"up -> 1: moved Vase; 1 empty slot left", "Shelf\n  Vase [current]\n  Book\n"}},
       "# up and down: the current object steps by one row and takes the\n"
       "# depth of the row that then follows it, so it walks into and out of Shelf.\n"
       "# Try: rowshift-host examples/up_down.txt up up down down\n"},
  };
}

class RowshiftHostExamples : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(RowshiftHostExamples, PrintsTheDocumentAfterEachStepWithItsAnswer) {
  const ExampleCase& example = GetParam();
  std::string input_file;
  std::vector<std::string> arguments{OutlineFileOf(example, &input_file)};
  arguments.insert(arguments.end(), example.steps.begin(), example.steps.end());
  const auto output = std::find(example.steps.begin(), example.steps.end(), kOutputOption);
  const bool to_standard_output =
      output != example.steps.end() && (output[1] == "-" || output[1] == "/dev/stdout");
  if (output != example.steps.end() && output[1] != arguments[0]) std::remove(output[1].c_str());

  const HostProcess run = RunRowshiftHost(arguments, "", input_file);

  EXPECT_EQ(run.exit_code, 0) << run.err;
  // With the outline on standard output, the report goes to standard error.
  const std::string& report = to_standard_output ? run.err : run.out;
  EXPECT_EQ(to_standard_output ? "" : run.err, example.warnings);
  EXPECT_EQ(StepBlocks(report), example.printed_steps) << report;
  // The written outline is the document printed last, and reads back.
  if (output != example.steps.end()) {
    EXPECT_EQ(to_standard_output ? run.out : ReadFile(output[1]),
              Laid(example.written_head + example.printed_steps.back().body, example.written_mark,
                   example.written_line_end));
  }
}

INSTANTIATE_TEST_SUITE_P(Outlines, RowshiftHostExamples, ::testing::ValuesIn(ExampleCases()),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(RowshiftHost, PrintsTheDocumentAsReadBeforeAnyStep) {
  const std::string outline = WriteSuiteFile("before.txt",
                                             "# a comment line is not part of the document\n"
                                             "Body [current]\n"
                                             "  Arm [selected collapsed]\n"
                                             "    Hand\n"
                                             "-\n"
                                             "Lamp [ineligible]\n");
  const HostProcess run = RunRowshiftHost({outline});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<PrintedBlock> blocks = PrintedBlocks(run.out);
  const PrintedBlock expected{"document: " + outline,
                              "Body [current]\n  Arm [selected collapsed]\n    Hand\n-\n"
                              "Lamp [ineligible]\n"};
  EXPECT_NE(std::find(blocks.begin(), blocks.end(), expected), blocks.end()) << run.out;
  EXPECT_TRUE(StepBlocks(run.out).empty());
}

TEST(RowshiftHost, NamesThePluginItLoaded) {
  const HostProcess run = RunRowshiftHost({"--list"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(PrintedBlocks(run.out).at(0).heading,
            "plug-in: Rowshift v.1.5 \"Rowshift\", a station plug-in, id 5D2E7C14-2A6B93F0");
}

// The document and the window live in the host module the plug-in is bound
// to, whichever copy of the stand-in that is. A bare name is a file in the
// current folder, as for every other argument.
TEST(RowshiftHost, LoadsTheModulesNamedOnTheCommandLine) {
  const std::string kBarePluginName = std::string("Rowshift") + ROWSHIFT_MODULE_SUFFIX;
  const std::string other_host_module = std::string("./mqhost_unlinked") + ROWSHIFT_MODULE_SUFFIX;
  const HostProcess run =
      RunRowshiftHost({"--plugin", kBarePluginName, "--host-module", other_host_module, "--list",
                       ExamplePath("up_down.txt"), "show", "click", "up"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find(std::string("\n  from ") + ROWSHIFT_PLUGIN_FILE + "\n"), std::string::npos)
      << run.out;
  ASSERT_EQ(StepBlocks(run.out).size(), 2u) << run.out;
  EXPECT_EQ(StepBlocks(run.out)[1].heading, "click up(&U) -> 1: moved Vase; 1 empty slot left");
}

TEST(RowshiftHost, FindsTheModulesBesideItselfWhenStartedElsewhere) {
  const HostProcess run = RunRowshiftHost({"up_down.txt", "up"}, ROWSHIFT_EXAMPLES_DIR);

  EXPECT_EQ(run.exit_code, 0) << run.err;
  ASSERT_EQ(StepBlocks(run.out).size(), 1u) << run.out;
  EXPECT_EQ(StepBlocks(run.out)[0].heading, "up -> 1: moved Vase; 1 empty slot left");
}

}  // namespace
}  // namespace rowshift::testing

// rowshift-host on the example outlines: the document after each step, and the
// plug-in's answer, as the program prints them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tools/host_process_support.h"

namespace rowshift::testing {
namespace {

struct ExampleCase {
  const char* name;
  std::string outline_file;  // an example's name, or a suite file's text after "text:"
  std::vector<std::string> steps;
  std::vector<PrintedBlock> printed_steps;  // heading "KEY -> RESULT", then the outline
};

constexpr char kInlineOutline[] = "text:";

std::string Example(const char* file) { return file; }
// Documents that no example holds: without a current object, or with the last
// row current, for the answers other than "done".
std::string Inline(const char* text) { return std::string(kInlineOutline) + text; }

std::string OutlineFileOf(const ExampleCase& example) {
  const std::string& file = example.outline_file;
  if (file.rfind(kInlineOutline, 0) != 0) return ExamplePath(file);
  return WriteSuiteFile(std::string(example.name) + ".txt", file.substr(sizeof kInlineOutline - 1));
}

std::vector<ExampleCase> ExampleCases() {
  return {
      {"UpAndDownWalkIntoAndOutOfAnObject",
       Example("up_down.txt"),
       {"up", "up", "down", "down"},
       {{"up -> 1 (done)", "Shelf\n  Vase [current]\n  Book\n-\n"},
        {"up -> 1 (done)", "Vase [current]\nShelf\n-\n  Book\n-\n"},
        {"down -> 1 (done)", "-\nShelf\n  Vase [current]\n-\n  Book\n-\n"},
        {"down -> 1 (done)", "-\nShelf\n-\n-\n  Book\nVase [current]\n-\n"}}},
      {"UpAndDownPassACollapsedObjectInOneStep",
       Example("collapsed.txt"),
       {"down", "up"},
       {{"down -> 1 (done)", "-\nShelf [collapsed]\n  Book\n  Clock\nVase [current]\n"},
        {"up -> 1 (done)", "Vase [current]\n-\nShelf [collapsed]\n  Book\n  Clock\n-\n"}}},
      {"TopBringsTheSelectionToTheFrontInListOrder",
       Example("top_bottom.txt"),
       {"top"},
       {{"top -> 1 (done)",
         "Chair [selected]\n  Cushion\nLamp [selected]\nFloor\n-\n-\nTable\n-\nRug\n"
         "Bin [ineligible]\n"}}},
      {"BottomPutsTheSelectionBehindTheLastEligibleObject",
       Example("top_bottom.txt"),
       {"bottom"},
       {{"bottom -> 1 (done)",
         "Floor\n-\n-\nTable\n-\nRug\nChair [selected]\n  Cushion\nLamp [selected]\n"
         "Bin [ineligible]\n"}}},
      {"GatherMakesTheSelectionTheFirstChildren",
       Example("gather.txt"),
       {"gather"},
       {{"gather -> 1 (done)",
         "Table [current selected]\n  Chair [selected]\n    Cushion\n  Lamp [selected]\n"
         "  Cloth\nRug\n-\n-\n-\n"}}},
      {"InsertBringsTheLastRowBehindTheCollapsedCurrentObject",
       Example("insert.txt"),
       {"insert"},
       {{"insert -> 1 (done)",
         "Room\n  Table [current collapsed]\n    Cloth\n  Rug\n  Chair\nHall\n-\n"}}},
      {"SceneUpUpGather",
       Example("scene.txt"),
       {"up", "up", "gather"},
       {{"up -> 1 (done)",
         "Arm [current selected]\n  Hand\nBody [selected]\n-\n-\n  Leg\nHead [selected]\n"
         "Lamp [ineligible]\n"},
        {"up -> 1 (done)",
         "-\n-\nBody [selected]\n-\n-\n  Leg\nHead [selected]\nArm [current selected]\n"
         "  Hand\nLamp [ineligible]\n"},
        {"gather -> 1 (done)",
         "-\n-\n-\n-\n-\n-\n-\nArm [current selected]\n  Body [selected]\n    Leg\n"
         "  Head [selected]\n  Hand\nLamp [ineligible]\n"}}},
      {"WithoutACurrentObjectNothingChanges",
       Inline("Shelf\n  Book\nVase\n"),
       {"up", "gather", "insert"},
       {{"up -> -1 (nothing to act on)", "Shelf\n  Book\nVase\n"},
        {"gather -> 0 (nothing done)", "Shelf\n  Book\nVase\n"},
        {"insert -> -1 (nothing to act on)", "Shelf\n  Book\nVase\n"}}},
      {"InsertOnTheLastRowAnswersItsIndex",
       Inline("Shelf\nBook\nVase [current]\n"),
       {"insert"},
       {{"insert -> 2", "Shelf\nBook\nVase [current]\n"}}},
  };
}

class RowshiftHostExamples : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(RowshiftHostExamples, PrintsTheDocumentAfterEachStepWithItsAnswer) {
  const ExampleCase& example = GetParam();
  std::vector<std::string> arguments{OutlineFileOf(example)};
  arguments.insert(arguments.end(), example.steps.begin(), example.steps.end());

  const HostProcess run = RunRowshiftHost(arguments);

  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(StepBlocks(run.out), example.printed_steps) << run.out;
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
            "plug-in: Rowshift v.1.4 \"Rowshift\", kind 6, id 5D2E7C14-2A6B93F0");
}

TEST(RowshiftHost, LoadsTheModulesNamedOnTheCommandLine) {
  const std::string host_module = std::string("./mqhost") + ROWSHIFT_MODULE_SUFFIX;
  const HostProcess run =
      RunRowshiftHost({"--plugin", ROWSHIFT_PLUGIN_FILE, "--host-module", host_module, "--list"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find(std::string("\n  from ") + ROWSHIFT_PLUGIN_FILE + "\n"), std::string::npos)
      << run.out;
}

TEST(RowshiftHost, FindsTheModulesBesideItselfWhenStartedElsewhere) {
  const HostProcess run = RunRowshiftHost({"up_down.txt", "up"}, ROWSHIFT_EXAMPLES_DIR);

  EXPECT_EQ(run.exit_code, 0) << run.err;
  ASSERT_EQ(StepBlocks(run.out).size(), 1u) << run.out;
  EXPECT_EQ(StepBlocks(run.out)[0].heading, "up -> 1 (done)");
}

}  // namespace
}  // namespace rowshift::testing

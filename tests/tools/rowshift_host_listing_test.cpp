// What rowshift-host prints besides documents: the sub-command list, the
// help text and the trace of host calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tools/host_process_support.h"

namespace rowshift::testing {
namespace {

const PrintedBlock* FindBlock(const std::vector<PrintedBlock>& blocks, const std::string& heading) {
  const auto found = std::find_if(blocks.begin(), blocks.end(), [&](const PrintedBlock& block) {
    return block.heading == heading;
  });
  return found == blocks.end() ? nullptr : &*found;
}

TEST(RowshiftHostList, PrintsEachSubcommandsPositionKeyAndTitleAsThePluginAnswers) {
  const HostProcess run = RunRowshiftHost({"--list"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<PrintedBlock> blocks = PrintedBlocks(run.out);
  const PrintedBlock* list = FindBlock(blocks, "sub-commands (key, title):");
  ASSERT_NE(list, nullptr) << run.out;
  EXPECT_EQ(list->body,
            "0  insert  \"insert\"\n"
            "1  up      \"up\"\n"
            "2  down    \"down\"\n"
            "3  top     \"top\"\n"
            "4  bottom  \"bottom\"\n"
            "5  gather  \"gather\"\n");
}

TEST(RowshiftHostList, ComesBeforeTheDocumentWhenAnOutlineIsGiven) {
  const HostProcess run = RunRowshiftHost({"--list", ExamplePath("insert.txt"), "insert"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string::size_type list = run.out.find("sub-commands (key, title):");
  const std::string::size_type document = run.out.find("document: ");
  ASSERT_NE(list, std::string::npos);
  ASSERT_NE(document, std::string::npos);
  EXPECT_LT(list, document);
  EXPECT_EQ(StepBlocks(run.out).size(), 1u);
}

TEST(RowshiftHostHelp, PrintsUsageAndSucceedsWithoutLoadingAnything) {
  const HostProcess run =
      RunRowshiftHost({"--help", "--plugin", "./tools_tests_no_such_plugin.so"});

  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.rfind("Usage: rowshift-host", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("--trace"), std::string::npos);
}

TEST(RowshiftHostTrace, PrintsTheHostCallsOfEachStepInOrder) {
  const HostProcess run = RunRowshiftHost({"--trace", ExamplePath("up_down.txt"), "up"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<PrintedBlock> steps = StepBlocks(run.out);
  const PrintedBlock* up = FindBlock(steps, "up -> 1 (done)");
  ASSERT_NE(up, nullptr) << run.out;
  // Move up starts from the current object and ends with the copy made current.
  EXPECT_EQ(up->body.rfind("> MQDoc_GetCurrentObjectIndex", 0), 0u) << up->body;
  const std::string::size_type insert = up->body.find("> MQDoc_InsertObject");
  const std::string::size_type make_current = up->body.find("> MQDoc_SetCurrentObjectIndex");
  ASSERT_NE(insert, std::string::npos) << up->body;
  ASSERT_NE(make_current, std::string::npos) << up->body;
  EXPECT_LT(insert, make_current);
  // The document follows the calls.
  EXPECT_NE(up->body.find("Shelf\n  Vase [current]\n  Book\n-\n"), std::string::npos);
  EXPECT_NE(FindBlock(steps, "start-up (event 1) -> 1"), nullptr) << run.out;
  EXPECT_NE(FindBlock(steps, "shut-down (event 2) -> 1"), nullptr) << run.out;
}

TEST(RowshiftHostTrace, KeepsEachCallOnOneLineEvenWithATwoLineLabel) {
  const HostProcess run = RunRowshiftHost({"--trace", "--list"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<PrintedBlock> blocks = PrintedBlocks(run.out);
  const PrintedBlock* start_up = FindBlock(blocks, "start-up (event 1) -> 1");
  ASSERT_NE(start_up, nullptr) << run.out;
  EXPECT_NE(start_up->body.find("text=L\"insert (&H)ere\\nfrom bottom\")"), std::string::npos)
      << start_up->body;
  std::istringstream lines(start_up->body);
  for (std::string line; std::getline(lines, line);) EXPECT_EQ(line.rfind("> ", 0), 0u) << line;
}

TEST(RowshiftHostTrace, IsQuietWithoutTheOption) {
  const HostProcess run = RunRowshiftHost({ExamplePath("up_down.txt"), "up"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out.find("> MQ"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("start-up"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace rowshift::testing

// What rowshift-host prints besides documents: the sub-command list, the
// help text and the trace of host calls.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tools/host_process_support.h"

namespace rowshift::testing {
namespace {

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
  EXPECT_NE(run.out.find("Exit codes: 0 every step ran; 1 "), std::string::npos);
}

TEST(RowshiftHostTrace, PrintsTheHostCallsOfEachStepInOrder) {
  const HostProcess run = RunRowshiftHost({"--trace", ExamplePath("up_down.txt"), "up"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<PrintedBlock> steps = StepBlocks(run.out);
  const PrintedBlock* up = FindBlock(steps, "up -> 1: moved Vase; 1 empty slot left");
  ASSERT_NE(up, nullptr) << run.out;
  // Move up starts from the current object and ends with the copy made current.
  EXPECT_EQ(up->body.rfind("> MQDoc_GetCurrentObjectIndex", 0), 0u) << up->body;
  const std::string::size_type insert = up->body.find("> MQDoc_InsertObject");
  const std::string::size_type make_current = up->body.find("> MQDoc_SetCurrentObjectIndex");
  ASSERT_NE(insert, std::string::npos) << up->body;
  ASSERT_NE(make_current, std::string::npos) << up->body;
  EXPECT_LT(insert, make_current);
  // Value ids by name; the copy told from its original, which is deleted.
  for (const char* call :
       {"> MQObj_GetIntValue(Vase, Depth) -> 0\n", "> MQObj_Clone(Vase) -> Vase (copy)\n",
        "> MQDoc_InsertObject(Vase (copy), Shelf) -> 1\n", "> MQDoc_GetObjectIndex(Vase) -> 3\n",
        "> MQObj_SetIntValue(Vase (copy), Depth, 1) -> 1\n"}) {
    EXPECT_NE(up->body.find(call), std::string::npos) << call << " not in:\n" << up->body;
  }
  // The document follows the calls.
  EXPECT_NE(up->body.find("Shelf\n  Vase [current]\n  Book\n-\n"), std::string::npos);
  const PrintedBlock* start_up = FindBlock(steps, "start-up (event 1) -> 1");
  ASSERT_NE(start_up, nullptr) << run.out;
  EXPECT_NE(start_up->body.find("> MQ_SendMessage(505 settings element, "), std::string::npos);
  EXPECT_NE(start_up->body.find(", FindChild, \"PosX\") -> 0\n"), std::string::npos);
  EXPECT_EQ(run.out.find("@"), std::string::npos) << "no raw addresses";
  EXPECT_NE(FindBlock(steps, "shut-down (event 2) -> 1"), nullptr) << run.out;
}

TEST(RowshiftHostTrace, KeepsEachCallOnOneLineEvenWithATwoLineLabel) {
  const HostProcess run = RunRowshiftHost({"--trace", "--list"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<PrintedBlock> blocks = PrintedBlocks(run.out);
  const PrintedBlock* start_up = FindBlock(blocks, "start-up (event 1) -> 1");
  ASSERT_NE(start_up, nullptr) << run.out;
  EXPECT_NE(start_up->body.find("text=\"insert (&H)ere\\nfrom bottom\")"), std::string::npos)
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

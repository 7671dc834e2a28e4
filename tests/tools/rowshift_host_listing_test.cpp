// What rowshift-host prints besides documents: the sub-command list, the
// help text, the trace of host calls, and the modules it found wherever a
// user put it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <system_error>
#include <utility>
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
  // Move up reads the count and the current object first, and ends with the
  // copy made current.
  EXPECT_EQ(up->body.rfind("> MQDoc_GetObjectCount() -> 3\n> MQDoc_GetCurrentObjectIndex", 0), 0u)
      << up->body;
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

// Where a user may put rowshift-host: each row lays out a new folder with
// copies of the build's files and symbolic links, or installs into it, and
// starts the program from there. In the paths, {folder} stands for that
// folder and {build} for the build's program folder.
struct Placement {
  const char* name;
  std::vector<std::string> copies;                         // build files, copied into tool/
  std::vector<std::pair<std::string, std::string>> links;  // (link, where it leads)
  bool installed;                                          // cmake --install into the folder
  std::string program;
  int exit_code;
  std::string printed;  // on standard output, or the whole of standard error on a failure
};

const std::string kTool = "rowshift-host";
const std::string kPlugin = std::string("Rowshift") + ROWSHIFT_MODULE_SUFFIX;
const std::string kHostModule = std::string("mqhost") + ROWSHIFT_MODULE_SUFFIX;

std::vector<Placement> Placements() {
  const std::string found_in_build = "\n  from {build}/" + kPlugin + "\n";
  const std::string found_in_tool = "\n  from {folder}/tool/" + kPlugin + "\n";
  return {
      {"LinkedFromAnotherFolder",
       {},
       {{"bin/rowshift-host", "{build}/rowshift-host"}},
       false,
       "bin/rowshift-host",
       0,
       found_in_build},
      {"LinkToALinkByRelativePaths",
       {},
       {{"a/rowshift-host", "{build}/rowshift-host"}, {"b/host", "../a/rowshift-host"}},
       false,
       "b/host",
       0,
       found_in_build},
      {"CopiedWithItsModules",
       {kTool, kHostModule, kPlugin},
       {},
       false,
       "tool/rowshift-host",
       0,
       found_in_tool},
      {"LinkToACopy",
       {kTool, kHostModule, kPlugin},
       {{"bin/rs", "../tool/rowshift-host"}},
       false,
       "bin/rs",
       0,
       found_in_tool},
      {"CopiedWithoutThePlugin",
       {kTool, kHostModule},
       {},
       false,
       "tool/rowshift-host",
       1,
       "rowshift-host: cannot load the plug-in module: there is no file '" + kPlugin +
           "' in '{folder}/tool' (use --plugin to name another)\n"},
      {"CopiedWithoutTheHostModule",
       {kTool, kPlugin},
       {},
       false,
       "tool/rowshift-host",
       1,
       "rowshift-host: cannot load the host module: there is no file '" + kHostModule +
           "' in '{folder}/tool' (use --host-module to name another)\n"},
      {"InstalledUnderAPrefix",
       {},
       {},
       true,
       "bin/rowshift-host",
       0,
       "\n  from {folder}/lib/rowshift/" + kPlugin + "\n"},
  };
}

std::string Filled(std::string text, const std::string& folder, const std::string& build) {
  for (const auto& [mark, value] :
       {std::pair<std::string, std::string>{"{folder}", folder}, {"{build}", build}}) {
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at)) {
      text.replace(at, mark.size(), value);
    }
  }
  return text;
}

class RowshiftHostPlaced : public ::testing::TestWithParam<Placement> {};

TEST_P(RowshiftHostPlaced, FindsItsModulesBesideItsOwnFile) {
  namespace fs = std::filesystem;
  const Placement& placement = GetParam();
  const fs::path folder = fs::absolute(SuiteFile(std::string("placed_") + placement.name));
  fs::create_directories(folder / "tool");
  const std::string build = fs::canonical(HostProgramPath()).parent_path().string();
  const std::string here = fs::canonical(folder).string();
  for (const std::string& file : placement.copies) {
    fs::copy_file(fs::path(build) / file, folder / "tool" / file);
  }
  for (const auto& [link, target] : placement.links) {
    fs::create_directories((folder / link).parent_path());
    std::error_code status;
    fs::create_symlink(Filled(target, here, build), folder / link, status);
    if (status) GTEST_SKIP() << "no symbolic links here: " << status.message();
  }
  if (placement.installed) {
    const std::string install = std::string("\"") + ROWSHIFT_CMAKE_COMMAND + "\" --install \"" +
                                ROWSHIFT_BINARY_DIR + "\" --prefix \"" + here +
                                "\" --component rowshift-host >/dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0) << install;
  }

  const HostProcess run = RunProgram((folder / placement.program).string(), {"--list"});

  EXPECT_EQ(run.exit_code, placement.exit_code) << run.err;
  const std::string printed = Filled(placement.printed, here, build);
  if (placement.exit_code == 0) {
    EXPECT_NE(run.out.find(printed), std::string::npos) << printed << " not in:\n" << run.out;
  } else {
    EXPECT_EQ(run.err, printed);
  }
}

INSTANTIATE_TEST_SUITE_P(Folders, RowshiftHostPlaced, ::testing::ValuesIn(Placements()),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace rowshift::testing

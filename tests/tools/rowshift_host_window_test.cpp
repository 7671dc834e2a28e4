// The tool window through rowshift-host: its widget tree, button clicks,
// show, hide and close, and its state remembered in the settings file.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "tools/host_process_support.h"

namespace rowshift::testing {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr char kAfterStartUp[] = "tool window after start-up:";

// The window block without widget ids, which depend on creation order only.
std::string WithoutIds(const std::string& tree) {
  return std::regex_replace(tree, std::regex(" #[0-9]+"), "");
}

// The first line of a window block: the window itself with its properties.
std::string WindowLine(const std::string& out, const std::string& heading) {
  const std::vector<PrintedBlock> blocks = PrintedBlocks(out);
  const PrintedBlock* block = FindBlock(blocks, heading);
  if (block == nullptr) return "";
  return block->body.substr(0, block->body.find('\n'));
}

TEST(RowshiftHostWindow, PrintsTheWindowTreeAsThePluginBuiltIt) {
  const HostProcess run = RunRowshiftHost({"--window"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<PrintedBlock> blocks = PrintedBlocks(run.out);
  const PrintedBlock* window = FindBlock(blocks, kAfterStartUp);
  ASSERT_NE(window, nullptr) << run.out;
  EXPECT_EQ(WithoutIds(window->body),
            "window  title=\"Rowshift\"  visible=false  on: hide\n"
            "  frame  alignment=\"vert\"  inspace=0  outspace=0.2\n"
            "    button  text=\"insert (&H)ere\\nfrom bottom\"  on: execute\n"
            "    button  text=\"up(&U)\"  on: execute\n"
            "    button  text=\"down(&D)\"  on: execute\n"
            "    button  text=\"top(&T)\"  on: execute\n"
            "    button  text=\"bottom(&B)\"  on: execute\n"
            "    button  text=\"gather(&G)\"  on: execute\n");
}

struct ClickCase {
  const char* name;
  std::string button;
  std::string heading;
};

class RowshiftHostClick : public ::testing::TestWithParam<ClickCase> {};

// A click runs the same operation as the sub-command of its row.
TEST_P(RowshiftHostClick, RunsTheButtonsOperationLikeItsSubcommand) {
  const ClickCase& click = GetParam();
  const std::string outline = ExamplePath("up_down.txt");
  const HostProcess by_key = RunRowshiftHost({outline, "up"});
  const HostProcess by_click = RunRowshiftHost({outline, "show", "click", click.button});

  ASSERT_EQ(by_click.exit_code, 0) << by_click.err;
  const std::vector<PrintedBlock> steps = StepBlocks(by_click.out);
  ASSERT_EQ(steps.size(), 2u) << by_click.out;
  EXPECT_EQ(steps[1].heading, click.heading);
  ASSERT_EQ(StepBlocks(by_key.out).size(), 1u) << by_key.out;
  EXPECT_EQ(steps[1].body, StepBlocks(by_key.out)[0].body);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, RowshiftHostClick,
    ::testing::Values(
        ClickCase{"LabelAsShown", "up(&U)", "click up(&U) -> 1: moved Vase; 1 empty slot left"},
        ClickCase{"LabelWithoutMnemonic", "up", "click up(&U) -> 1: moved Vase; 1 empty slot left"},
        ClickCase{"LabelInAnyCase", "UP", "click up(&U) -> 1: moved Vase; 1 empty slot left"},
        ClickCase{"LabelAsShownInAnyCase", "UP(&u)",
                  "click up(&U) -> 1: moved Vase; 1 empty slot left"},
        ClickCase{"Position", "1", "click up(&U) -> 1: moved Vase; 1 empty slot left"}),
    [](const auto& test) { return std::string(test.param.name); });

// Its line break typed as a space or a '/', or left out with the rest.
TEST(RowshiftHostClick, FindsTheTwoLineButtonByItsWordsOrFirstWordsInAnyCase) {
  for (const char* typed :
       {"Insert here", "insert here/from bottom", "INSERT (&H)ERE / FROM BOTTOM"}) {
    const HostProcess run = RunRowshiftHost({ExamplePath("insert.txt"), "Show", "click", typed});

    ASSERT_EQ(run.exit_code, 0) << typed << ": " << run.err;
    const std::vector<PrintedBlock> steps = StepBlocks(run.out);
    ASSERT_EQ(steps.size(), 2u) << run.out;
    EXPECT_EQ(steps[1].heading,
              "click insert (&H)ere / from bottom -> 1: moved Rug; 1 empty slot left");
    EXPECT_EQ(steps[1].body,
              "Room\n  Table [current collapsed]\n    Cloth\n  Rug\n  Chair\nHall\n-\n");
  }
}

struct RefusedClick {
  const char* name;
  std::vector<std::string> steps;
  int exit_code;  // 2: no such button, a command-line error
  std::vector<std::string> message_parts;
};

class RowshiftHostRefusedClick : public ::testing::TestWithParam<RefusedClick> {};

TEST_P(RowshiftHostRefusedClick, ExplainsWhyAndStops) {
  const RefusedClick& refused = GetParam();
  std::vector<std::string> arguments{ExamplePath("up_down.txt")};
  arguments.insert(arguments.end(), refused.steps.begin(), refused.steps.end());

  const HostProcess run = RunRowshiftHost(arguments);

  EXPECT_EQ(run.exit_code, refused.exit_code) << run.out;
  for (const std::string& part : refused.message_parts) {
    EXPECT_NE(run.err.find(part), std::string::npos) << "'" << part << "' not in: " << run.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, RowshiftHostRefusedClick,
    ::testing::Values(
        RefusedClick{"UnknownLabel",
                     {"show", "click", "sideways"},
                     kExitUsage,
                     {"no button 'sideways'", "0 insert (&H)ere / from bottom, 1 up(&U)"}},
        RefusedClick{
            "PositionPastTheLastButton", {"show", "click", "6"}, kExitUsage, {"no button '6'"}},
        RefusedClick{
            "HiddenWindow", {"click", "up"}, kExitFailure, {"cannot click 'up(&U)'", "hidden"}},
        RefusedClick{"WindowClosedBeforeTheClick",
                     {"show", "close", "click", "up"},
                     kExitFailure,
                     {"cannot click 'up(&U)'", "hidden"}}),
    [](const auto& test) { return std::string(test.param.name); });

struct SwitchCase {
  const char* name;
  std::vector<std::string> steps;
  std::vector<PrintedBlock> printed_steps;
};

class RowshiftHostSwitch : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(RowshiftHostSwitch, ReportsThePluginAndItsWindowAfterEachStep) {
  const SwitchCase& switching = GetParam();
  std::vector<std::string> arguments{ExamplePath("up_down.txt")};
  arguments.insert(arguments.end(), switching.steps.begin(), switching.steps.end());

  const HostProcess run = RunRowshiftHost(arguments);

  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(StepBlocks(run.out), switching.printed_steps) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, RowshiftHostSwitch,
    ::testing::Values(
        SwitchCase{"ShowThenHide",
                   {"show", "hide"},
                   {{"show -> 1: now plug-in on, window visible", "plug-in on, window visible\n"},
                    {"hide -> 0: now plug-in off, window hidden", "plug-in off, window hidden\n"}}},
        SwitchCase{"UserCloseSwitchesThePluginOff",
                   {"show", "close"},
                   {{"show -> 1: now plug-in on, window visible", "plug-in on, window visible\n"},
                    {"close -> the window was closed", "plug-in off, window hidden\n"}}},
        SwitchCase{"CloseOfAHiddenWindowChangesNothing",
                   {"close"},
                   {{"close -> the window was already hidden", "plug-in off, window hidden\n"}}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(RowshiftHostSwitch, UserCloseTellsTheHostOnceAndHideDoesNot) {
  const HostProcess run =
      RunRowshiftHost({"--trace", ExamplePath("up_down.txt"), "show", "hide", "show", "close"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<PrintedBlock> steps = StepBlocks(run.out);
  const PrintedBlock* hide = FindBlock(steps, "hide -> 0: now plug-in off, window hidden");
  const PrintedBlock* close = FindBlock(steps, "close -> the window was closed");
  ASSERT_NE(hide, nullptr) << run.out;
  ASSERT_NE(close, nullptr) << run.out;
  EXPECT_EQ(hide->body.find("MQ_SendMessage(100"), std::string::npos) << hide->body;
  const std::string::size_type message = close->body.find("MQ_SendMessage(100");
  ASSERT_NE(message, std::string::npos) << close->body;
  EXPECT_EQ(close->body.find("MQ_SendMessage(100", message + 1), std::string::npos);
}

// Two runs with one settings file: the second starts as the first ended.
struct RememberedCase {
  const char* name;
  std::string settings;  // the file before the first run; empty: no file
  std::vector<std::string> first_run_steps;
  std::string first_window;   // after the first run's start-up
  std::string second_window;  // after the second run's start-up
};

std::string ExampleSettings() { return ReadFile(ExamplePath("window_settings.xml")); }

class RowshiftHostRemembers : public ::testing::TestWithParam<RememberedCase> {};

TEST_P(RowshiftHostRemembers, TheShownStateAndPositionOfTheWindow) {
  const RememberedCase& remembered = GetParam();
  const std::string name = "remembered_" + std::string(remembered.name) + ".xml";
  const std::string file = SuiteFile(name);
  std::remove(file.c_str());
  if (!remembered.settings.empty()) WriteSuiteFile(name, remembered.settings);
  std::vector<std::string> first_arguments{"--settings", file, "--window",
                                           ExamplePath("scene.txt")};
  first_arguments.insert(first_arguments.end(), remembered.first_run_steps.begin(),
                         remembered.first_run_steps.end());

  const HostProcess first = RunRowshiftHost(first_arguments);
  const HostProcess second =
      RunRowshiftHost({"--settings", file, "--window", ExamplePath("scene.txt")});

  ASSERT_EQ(first.exit_code, 0) << first.err;
  ASSERT_EQ(second.exit_code, 0) << second.err;
  EXPECT_EQ(WithoutIds(WindowLine(first.out, kAfterStartUp)), remembered.first_window);
  EXPECT_EQ(WithoutIds(WindowLine(second.out, kAfterStartUp)), remembered.second_window);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, RowshiftHostRemembers,
    ::testing::Values(
        RememberedCase{"FirstRunShowsTheWindow",
                       "",
                       {"show"},
                       "window  title=\"Rowshift\"  visible=false  on: hide",
                       "window  pos_x=0  pos_y=0  title=\"Rowshift\"  visible=true  on: hide"},
        RememberedCase{"StoredPlaceIsKeptAndHidingIsRemembered",
                       ExampleSettings(),
                       {"hide"},
                       "window  pos_x=120  pos_y=80  title=\"Rowshift\"  visible=true  on: hide",
                       "window  pos_x=120  pos_y=80  title=\"Rowshift\"  visible=false  on: hide"},
        RememberedCase{"UserCloseIsRemembered",
                       ExampleSettings(),
                       {"close"},
                       "window  pos_x=120  pos_y=80  title=\"Rowshift\"  visible=true  on: hide",
                       "window  pos_x=120  pos_y=80  title=\"Rowshift\"  visible=false  on: hide"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(RowshiftHostRemembers, WritesTheStateIntoThePluginsSection) {
  const std::string file = WriteSuiteFile("remembered_section.xml", ExampleSettings());

  const HostProcess run = RunRowshiftHost({"--settings", file, ExamplePath("scene.txt"), "close"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string saved = ReadFile(file);
  EXPECT_NE(saved.find("<Plugin-5D2E7C14-2A6B93F0>"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<Rowshift_activate>0</Rowshift_activate>"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<PosX>120</PosX>"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<PosY>80</PosY>"), std::string::npos) << saved;
}

}  // namespace
}  // namespace rowshift::testing

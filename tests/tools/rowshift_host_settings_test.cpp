// --settings FILE: the host's settings document kept as an XML file between
// runs, and files that must be refused without being touched.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/host_process_support.h"

namespace rowshift::testing {
namespace {

constexpr int kExitFailure = 1;

struct RefusedSettings {
  const char* name;
  std::string content;
  std::string message_part;
};

class RowshiftHostRefusedSettings : public ::testing::TestWithParam<RefusedSettings> {};

TEST_P(RowshiftHostRefusedSettings, AreReportedAndLeftAsTheyWere) {
  const RefusedSettings& refused = GetParam();
  const std::string file = WriteSuiteFile(std::string(refused.name) + ".xml", refused.content);

  const HostProcess run = RunRowshiftHost({"--settings", file, ExamplePath("scene.txt"), "up"});

  EXPECT_EQ(run.exit_code, kExitFailure);
  EXPECT_NE(run.err.find("'" + file + "'"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(refused.message_part), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("left as it is"), std::string::npos) << run.err;
  EXPECT_TRUE(StepBlocks(run.out).empty()) << run.out;
  EXPECT_EQ(ReadFile(file), refused.content);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RowshiftHostRefusedSettings,
    ::testing::Values(
        RefusedSettings{"TruncatedXml", "<root><pluginsettings>\n", "not well-formed XML"},
        RefusedSettings{"PlainText", "Rowshift_activate=1\n", "not well-formed XML"},
        RefusedSettings{"Attributes",
                        "<root><pluginsettings><Section kind=\"x\"/></pluginsettings></root>",
                        "has attributes (on <Section>)"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(RowshiftHostSettings, MissingFileStartsEmptyAndIsWrittenAfterTheRun) {
  const std::string file = SuiteFile("new_settings.xml");
  std::remove(file.c_str());

  const HostProcess run = RunRowshiftHost({"--settings", file, ExamplePath("scene.txt"), "up"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(StepBlocks(run.out).size(), 1u);
  const std::string saved = ReadFile(file);
  EXPECT_NE(saved.find("<root>"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<pluginsettings"), std::string::npos) << saved;
}

TEST(RowshiftHostSettings, BlankFileStartsEmpty) {
  const std::string file = WriteSuiteFile("blank_settings.xml", " \n");

  const HostProcess run = RunRowshiftHost({"--settings", file, "--list"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(ReadFile(file).find("<pluginsettings"), std::string::npos);
}

TEST(RowshiftHostSettings, KeepsWhatOtherPluginsStoredThere) {
  const std::string file = WriteSuiteFile("shared_settings.xml",
                                          "<root><pluginsettings>"
                                          "<Plugin-00000001-00000002><Colour>red</Colour>"
                                          "<Note>a &amp; b</Note></Plugin-00000001-00000002>"
                                          "</pluginsettings><Recent>scene.txt</Recent></root>");

  const HostProcess run = RunRowshiftHost({"--settings", file, ExamplePath("scene.txt"), "up"});

  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string saved = ReadFile(file);
  EXPECT_NE(saved.find("<Plugin-00000001-00000002>"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<Colour>red</Colour>"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<Note>a &amp; b</Note>"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<Recent>scene.txt</Recent>"), std::string::npos) << saved;
}

TEST(RowshiftHostSettings, FailedRunLeavesTheFileAsItWas) {
  const std::string content = "<root><pluginsettings><Kept>1</Kept></pluginsettings></root>";
  const std::string file = WriteSuiteFile("failed_run_settings.xml", content);

  const HostProcess run =
      RunRowshiftHost({"--settings", file, ExamplePath("scene.txt"), "sideways"});

  EXPECT_EQ(run.exit_code, kExitFailure);
  EXPECT_EQ(ReadFile(file), content);
}

}  // namespace
}  // namespace rowshift::testing

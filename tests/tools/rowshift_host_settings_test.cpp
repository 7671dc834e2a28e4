// --settings FILE: the host's settings document kept as an XML file between
// runs, and files that must be refused without being touched.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "tools/host_process_support.h"

namespace rowshift::testing {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kDepthLimit = 256;

// `levels` elements, each inside the one before.
std::string Nested(int levels) {
  std::string open;
  std::string close;
  for (int i = 0; i < levels; ++i) {
    open += "<e>";
    close = "</e>" + close;
  }
  return open + close;
}

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
                        "has attributes (on <Section>)"},
        RefusedSettings{"TwoTopLevelElements", "<root><pluginsettings/></root><other>1</other>",
                        "a second top-level element <other>"},
        RefusedSettings{"TextAfterTheRoot", "<root><pluginsettings/></root>tail",
                        "text outside the root element"},
        RefusedSettings{"NulAfterTheRoot",
                        std::string("<root><pluginsettings/></root>\0<lost>1</lost>", 45),
                        "a NUL character"},
        RefusedSettings{"NestedTooDeep", Nested(kDepthLimit + 1),
                        "nests elements more than 256 levels deep"},
        RefusedSettings{"ElementNeverClosed", "<root>\n  <pluginsettings>\n",
                        "<pluginsettings> is never closed: the file ends first, at line 2"},
        RefusedSettings{"NoElementAtAll", "hello", "no root element"},
        RefusedSettings{"EntityXmlDoesNotDefine", "<root>\n<a>x &bogus;</a></root>",
                        "'&bogus;', which is no entity of XML's own (&lt; &gt; &amp; &apos; "
                        "&quot;), at line 2, column 6"},
        RefusedSettings{"DeclarationHoldsWhatXmlDoesNot",
                        "<?xml i=\"x\" encoding=\"ISO-8859-1\"?><root>\xFF</root>",
                        "an XML declaration with 'i', where XML allows only version, encoding "
                        "and standalone, in that order"},
        RefusedSettings{"DeclaredEncodingWithAReference",
                        "<?xml version=\"1.0\" encoding=\"ISO&#45;8859-1\"?><root>\xFF</root>",
                        "an XML declaration with a reference ('&')"},
        RefusedSettings{"DeclaredVersionNotXmls", "<?xml version=\"2\"?><root/>",
                        "an XML declaration whose version is not one XML allows"},
        RefusedSettings{"ReferenceToNul", "<root><a>x&#x00;y</a></root>",
                        "'&#x00;', a reference to the NUL character, which no text can hold, "
                        "at line 1, column 11"},
        // Written back as a tab, white space alone, which reads as no text.
        RefusedSettings{"WhiteSpaceByReferenceAlone", "<root><a>&#9;</a></root>",
                        "cannot be written back so that it reads the same"},
        RefusedSettings{"ReferenceBeyondUnicode", "<root><a>x&#x100000041;yz</a></root>",
                        "'&#x100000041;', a reference to a number beyond Unicode"}),
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

TEST(RowshiftHostSettings, KeepsWhatIsNotSettingsAndIsStableAfterTheFirstWrite) {
  const std::string content =
      "<?xml version=\"1.0\"?>\r\n<!DOCTYPE root>\n<!-- before -->\n<?editor keep?>\n<root>"
      "<!-- inside --><pluginsettings><Other><![CDATA[a<b]]></Other></pluginsettings>"
      "<Mixed>one<Inner/>two</Mixed>" +
      Nested(kDepthLimit - 1) + "</root><!-- after -->\n";
  const std::string file = WriteSuiteFile("stable_settings.xml", content);

  ASSERT_EQ(RunRowshiftHost({"--settings", file, "--list"}).exit_code, 0);
  const std::string first = ReadFile(file);
  ASSERT_EQ(RunRowshiftHost({"--settings", file, "--list"}).exit_code, 0);

  EXPECT_EQ(ReadFile(file), first);
  EXPECT_LT(first.size(), 2 * content.size()) << "no indentation that grows with depth";
  for (const char* kept : {"<!DOCTYPE root>", "<!-- before -->", "<?editor keep?>",
                           "<!-- inside -->", "<![CDATA[a<b]]>", "<!-- after -->", "one"}) {
    EXPECT_NE(first.find(kept), std::string::npos) << kept << " not in:\n" << first;
  }
  EXPECT_NE(first.find("<Rowshift_activate>"), std::string::npos) << first;
}

// A settings file kept through a symbolic link (in a synced folder, say)
// stays a link: the file it leads to is written, the same safe way.
TEST(RowshiftHostSettings, ALinkStaysALinkAndItsTargetIsWritten) {
  namespace fs = std::filesystem;
  struct LinkCase {
    const char* what;
    std::optional<std::string> target_content;  // none: the target does not exist
    bool target_is_folder;
    bool written;
  };
  const LinkCase cases[] = {
      {"a link to a settings file", std::string("<root><pluginsettings/></root>"), false, true},
      {"a dangling link names a file not made yet", std::nullopt, false, true},
      {"a link to a folder is refused", std::nullopt, true, false},
  };
  for (const LinkCase& row : cases) {
    SCOPED_TRACE(row.what);
    const fs::path folder = fs::absolute(SuiteFile("linked"));
    fs::remove_all(folder);
    fs::create_directories(folder / "synced");
    const fs::path target = folder / "synced" / "settings.xml";
    if (row.target_content) std::ofstream(target, std::ios::binary) << *row.target_content;
    if (row.target_is_folder) fs::create_directory(target);
    // A file of the user's own, of a name a fixed temporary name could take.
    const fs::path own_file = target.string() + ".new";
    std::ofstream(own_file, std::ios::binary) << "mine";
    const fs::path link = folder / "settings.xml";
    std::error_code status;
    // Relative, as a link into a synced folder usually is.
    fs::create_symlink(fs::path("synced") / "settings.xml", link, status);
    if (status) GTEST_SKIP() << "no symbolic links here: " << status.message();

    const HostProcess run =
        RunRowshiftHost({"--settings", link.string(), ExamplePath("scene.txt"), "up"});

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), fs::path("synced") / "settings.xml");
    EXPECT_EQ(ReadFile(own_file.string()), "mine");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "synced"), fs::directory_iterator()),
              row.target_content || row.target_is_folder || row.written ? 2 : 1)
        << "no temporary file left";
    if (row.written) {
      ASSERT_EQ(run.exit_code, 0) << run.err;
      EXPECT_NE(ReadFile(target.string()).find("<Rowshift_activate>"), std::string::npos);
    } else {
      EXPECT_EQ(run.exit_code, kExitFailure);
      EXPECT_NE(run.err.find("is a link to the folder"), std::string::npos) << run.err;
      EXPECT_TRUE(StepBlocks(run.out).empty()) << run.out;
      EXPECT_TRUE(fs::is_empty(target));
    }
  }
}

TEST(RowshiftHostSettings, FailedRunLeavesTheFileAsItWas) {
  const std::string content = "<root><pluginsettings><Kept>1</Kept></pluginsettings></root>";
  const std::string file = WriteSuiteFile("failed_run_settings.xml", content);

  const HostProcess run =
      RunRowshiftHost({"--settings", file, ExamplePath("scene.txt"), "sideways"});

  EXPECT_EQ(run.exit_code, kExitUsage);
  EXPECT_EQ(ReadFile(file), content);
}

}  // namespace
}  // namespace rowshift::testing

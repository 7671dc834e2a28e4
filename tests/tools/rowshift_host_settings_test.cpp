// --settings FILE: the host's settings document kept as an XML file between
// runs, and files that must be refused without being touched.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <system_error>
#include <vector>

#include "platform/interruption.h"
#include "tools/host_process_support.h"
#include "tools/settings_file/settings_file.h"

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

// `text` as UTF-16LE with its byte-order mark.
std::string Utf16Le(const std::u16string& text) {
  std::string bytes("\xFF\xFE");
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
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
        RefusedSettings{"RootNeverClosedAfterItsChildren",
                        "<root>\n  <pluginsettings></pluginsettings>\n",
                        "<root> is never closed: the file ends first"},
        RefusedSettings{"EndTagOfAnotherElement", "<root>\n  <a></b></root>",
                        "an end tag that does not close <a>, the element open there, at line 2, "
                        "column 8"},
        // Placed by character in the file as written, whatever its encoding.
        RefusedSettings{"EndTagOfAnotherElementInUtf16", Utf16Le(u"<root>\n  <\u3042></b></root>"),
                        "an end tag that does not close <\xE3\x81\x82>, the element open there, at "
                        "line 2, column 8"},
        RefusedSettings{"EntityAfterAByteOrderMark", "\xEF\xBB\xBF<root><a>&bogus;</a></root>",
                        "at line 1, column 10"},
        RefusedSettings{"NoElementAtAll", "hello", "no root element"},
        RefusedSettings{"EntityXmlDoesNotDefine", "<root>\n<a>x &bogus;</a></root>",
                        "'&bogus;', which is no entity of XML's own (&lt; &gt; &amp; &apos; "
                        "&quot;), at line 2, column 6"},
        // Placed by character, not by the bytes the parser converted it to.
        RefusedSettings{
            "EntityInALatin1File",
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<root>\xE9\xE9&bogus;</root>",
            "'&bogus;', which is no entity of XML's own (&lt; &gt; &amp; &apos; "
            "&quot;), at line 2, column 9"},
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
                        "'&#x100000041;', a reference to a number beyond Unicode"},
        RefusedSettings{"ReferenceXmlCannotHold", "<root><Note>&#1;</Note></root>",
                        "'&#1;', a reference to a character XML 1.0 cannot hold, at line 1, "
                        "column 13"},
        RefusedSettings{"CharacterXmlCannotHold", "<root>\r<Note>a\x01</Note></root>",
                        "has the character U+0001, which XML 1.0 cannot hold, at line 2, column 8"},
        RefusedSettings{"ByteThatIsNotUtf8", "<root>caf\xE9</root>",
                        "has a byte that is not UTF-8 (\\xE9), which XML 1.0 cannot hold"}),
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
                                          "<root>\r\n<pluginsettings>"
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
  // Its first line ends in CR LF, and so does every line saved.
  EXPECT_NE(saved.find("\r\n"), std::string::npos) << saved;
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'),
            std::count(saved.begin(), saved.end(), '\r'));
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

// A file replaced by a run (--settings, or --output editing the outline in
// place) keeps its owner, group and permission bits; one marked read-only (no
// write bit for its owner) is refused before any step, also for root, who
// could write it. Only root can give a file away, so only root runs the rows
// of a file that another user owns.
TEST(RowshiftHostSettings, ReplacedFilesKeepTheirOwnerAndPermissionBits) {
  namespace fs = std::filesystem;
  struct PermissionCase {
    const char* what;
    bool settings;  // else the outline, edited in place
    fs::perms mode;
    bool written;
    bool another_owner = false;
  };
  const fs::perms kPrivate = fs::perms::owner_read | fs::perms::owner_write;
  const fs::perms kShared = kPrivate | fs::perms::group_read | fs::perms::group_write;
  const fs::perms kReadOnly =
      fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  const PermissionCase cases[] = {
      {"a private settings file stays private", true, kPrivate, true},
      {"a settings file shared with the group stays so", true, kShared, true},
      {"a private outline edited in place stays private", false, kPrivate, true},
      {"a read-only settings file is refused", true, kReadOnly, false},
      {"a read-only outline is not edited in place", false, kReadOnly, false},
      {"a user's settings file stays the user's", true, kPrivate, true, true},
      {"a user's outline edited in place stays the user's", false, kShared, true, true},
  };
  const std::string outline = ReadFile(ExamplePath("scene.txt"));
  const std::string settings = "<root><pluginsettings/></root>";
  for (const PermissionCase& row : cases) {
    SCOPED_TRACE(row.what);
    const std::string file = WriteSuiteFile(row.settings ? "permissions.xml" : "permissions.txt",
                                            row.settings ? settings : outline);
    fs::permissions(file, row.mode);
    if (row.another_owner &&
        std::system(("chown 65534:65534 " + file + " 2>/dev/null").c_str()) != 0) {
      continue;
    }
    struct stat before {};
    ::stat(file.c_str(), &before);

    const HostProcess run =
        row.settings ? RunRowshiftHost({"--settings", file, ExamplePath("scene.txt"), "up"})
                     : RunRowshiftHost({"--output", file, file, "up"});

    EXPECT_EQ(fs::status(file).permissions(), row.mode);
    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    if (row.written) {
      EXPECT_EQ(run.exit_code, 0) << run.err;
      EXPECT_NE(ReadFile(file), row.settings ? settings : outline);
    } else {
      EXPECT_EQ(run.exit_code, kExitFailure);
      EXPECT_NE(run.err.find("cannot write the " +
                             std::string(row.settings ? "settings file '" : "output file '") +
                             file + "': it is read-only"),
                std::string::npos)
          << run.err;
      EXPECT_TRUE(StepBlocks(run.out).empty()) << run.out;
      EXPECT_EQ(ReadFile(file), row.settings ? settings : outline);
    }
    fs::permissions(file, fs::perms::owner_all);
  }
}

// A run stopped by SIGINT, SIGTERM or SIGHUP while it writes a file removes
// the temporary file it recorded, and ends as the signal ends it (exit status
// 128 + signal); the file it was to replace is never touched before the move.
TEST(RowshiftHostSettings, AnInterruptionRemovesTheTemporaryFileAndEndsTheRun) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    const std::string file = WriteSuiteFile("interrupted.tmp", "half written");
    EXPECT_EXIT(
        {
          platform::RemoveWhenInterrupted(file);
          std::raise(signal);
        },
        ::testing::KilledBySignal(signal), "");
    EXPECT_FALSE(std::filesystem::exists(file)) << signal;
  }
}

// SettingsFile in process: what Write is to save is read back first, and a
// refused Write or Read leaves the file and the reader as they were.
struct GuardedWrite {
  const char* name;
  std::string file_content;
  std::string key;    // a child of <pluginsettings> to save
  std::string value;  // its text
  std::string error_part;
};

class SettingsFileGuardsWhatItWrites : public ::testing::TestWithParam<GuardedWrite> {};

TEST_P(SettingsFileGuardsWhatItWrites, AndLeavesTheFileAndItselfAsTheyWere) {
  const GuardedWrite& row = GetParam();
  const std::string path = WriteSuiteFile(std::string(row.name) + ".xml", row.file_content);
  tool::SettingsFile file;
  std::string error;
  ASSERT_TRUE(file.Read(path, &error)) << error;
  const standin::SettingsNode read = *file.Tree();
  standin::SettingsNode changed = read;
  changed.children.at(0).children.push_back({row.key, row.value, {}});

  EXPECT_FALSE(file.Write(changed, &error));

  EXPECT_NE(error.find(row.error_part), std::string::npos) << error;
  EXPECT_NE(error.find("the file was left as it is"), std::string::npos) << error;
  EXPECT_EQ(ReadFile(path), row.file_content);
  // Nothing of the refused tree stays behind to be saved with the next one.
  ASSERT_TRUE(file.Write(read, &error)) << error;
  EXPECT_EQ(ReadFile(path).find(row.key), std::string::npos) << ReadFile(path);
  tool::SettingsFile reread;
  ASSERT_TRUE(reread.Read(path, &error)) << error;
  EXPECT_EQ(reread.Tree()->children.at(0).children.size(), read.children.at(0).children.size());
}

const std::string kPlainSettings = "<root><pluginsettings><Kept>1</Kept></pluginsettings></root>";

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsFileGuardsWhatItWrites,
    ::testing::Values(
        // Written as it is, the carriage return reads back as a line feed.
        GuardedWrite{"CarriageReturnInAValue", kPlainSettings, "Note", "a\rb",
                     "would read otherwise, at <root>/<pluginsettings>/<Note>"},
        // White space alone reads back as no text.
        GuardedWrite{"WhiteSpaceAloneAsAValue", kPlainSettings, "Note", "  ",
                     "would read otherwise, at <root>/<pluginsettings>/<Note>"},
        // Written as it is, the name reads as an element and an attribute.
        GuardedWrite{"KeyThatIsNoXmlName", kPlainSettings, "two words", "1",
                     "would make a file that is not well-formed XML"},
        // Latin-1 cannot hold the character: it would be saved as '?'.
        GuardedWrite{"CharacterTheEncodingCannotHold",
                     "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                     "<root><pluginsettings><Kept>\xE9</Kept></pluginsettings></root>",
                     "Note", "\xE3\x81\x82",
                     "would read otherwise, at <root>/<pluginsettings>/<Note>"}),
    [](const auto& test) { return std::string(test.param.name); });

// A refused Read keeps what the reader held: the file it read before, its
// tree, encoding and byte-order mark, which a later Write then keeps.
TEST(SettingsFileRefusedRead, LeavesTheReaderAsItWas) {
  namespace fs = std::filesystem;
  struct RefusedRead {
    const char* what;
    std::string refused_content;
    bool refused_is_folder_link;
  };
  const RefusedRead cases[] = {
      {"not well-formed", "<root><pluginsettings>", false},
      {"refused by the read-back guard", "<root><a>&#9;</a></root>", false},
      {"an entity XML does not define", "<root><a>&bogus;</a></root>", false},
      {"a link to a folder", "", true},
  };
  // Latin-1 with a byte-order mark nowhere and a character only Latin-1 holds
  // in one byte: a reader reset to UTF-8 would write it otherwise.
  const std::string kept =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<root><pluginsettings><Name>\xE9"
      "</Name></pluginsettings></root>";
  for (const RefusedRead& row : cases) {
    SCOPED_TRACE(row.what);
    const std::string first = WriteSuiteFile("read_first.xml", kept);
    std::string refused = SuiteFile("read_refused.xml");
    fs::remove_all(refused);
    if (row.refused_is_folder_link) {
      fs::create_directories(SuiteFile("read_refused_folder"));
      std::error_code status;
      fs::create_symlink(fs::absolute(SuiteFile("read_refused_folder")), refused, status);
      if (status) GTEST_SKIP() << "no symbolic links here: " << status.message();
    } else {
      refused = WriteSuiteFile("read_refused.xml", row.refused_content);
    }
    tool::SettingsFile file;
    std::string error;
    ASSERT_TRUE(file.Read(first, &error)) << error;
    const standin::SettingsNode tree = *file.Tree();

    EXPECT_FALSE(file.Read(refused, &error));

    ASSERT_TRUE(file.Tree());
    EXPECT_EQ(file.Tree()->children.at(0).children.at(0).text, std::string("\xC3\xA9"));
    ASSERT_TRUE(file.CheckWritable(&error)) << error;
    ASSERT_TRUE(file.Write(tree, &error)) << error;
    const std::string written = ReadFile(first);
    EXPECT_NE(written.find("encoding=\"ISO-8859-1\""), std::string::npos) << written;
    EXPECT_NE(written.find("<Name>\xE9</Name>"), std::string::npos) << written;
    if (!row.refused_is_folder_link) {
      EXPECT_EQ(ReadFile(refused), row.refused_content);
    }
  }
}

}  // namespace
}  // namespace rowshift::testing

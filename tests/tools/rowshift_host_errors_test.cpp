// rowshift-host's failures and warnings: one clear line on stderr that names
// what is wrong and why, the exit code, and no step run.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tools/host_process_support.h"

namespace rowshift::testing {
namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct ErrorCase {
  const char* name;
  std::vector<std::string> arguments;
  int exit_code;
  std::vector<std::string> message_parts;  // each must appear on stderr
  std::string standard_output = "";        // a shell redirection of it, if any
};

const std::string kBadOutlineFile = "tools_tests_bad_outline.txt";
const std::string kCarriageReturnOutlineFile = "tools_tests_cr_outline.txt";
const std::string kControlCharacterOutlineFile = "tools_tests_control_outline.txt";
const std::string kBinaryOutlineFile = "tools_tests_binary_outline.txt";
const std::string kUtf16OutlineFile = "tools_tests_utf16_outline.txt";
const std::string kUtf32OutlineFile = "tools_tests_utf32_outline.txt";
const std::string kNulOutlineFile = "tools_tests_nul_outline.txt";
const std::string kTooDeepOutlineFile = "tools_tests_too_deep_outline.txt";
const std::string kLongLineOutlineFile = "tools_tests_long_line_outline.txt";
const std::string kIndentedOutlineFile = "tools_tests_indented_outline.txt";
const std::string kShiftJisOutlineFile = "tools_tests_shift_jis_outline.txt";
const std::string kEucJpOutlineFile = "tools_tests_euc_jp_outline.txt";
const std::string kLatin1OutlineFile = "tools_tests_latin1_outline.txt";
const std::string kJapaneseUtf16OutlineFile = "tools_tests_japanese_utf16_outline.txt";
const std::string kFourSpacesOutlineFile = "tools_tests_four_spaces_outline.txt";
const std::string kDepthJumpOutlineFile = "tools_tests_depth_jump_outline.txt";
const std::string kFullWidthIndentOutlineFile = "tools_tests_full_width_indent_outline.txt";
const std::string kNoBreakIndentOutlineFile = "tools_tests_no_break_indent_outline.txt";
const std::string kTooManyRowsOutlineFile = "tools_tests_too_many_rows_outline.txt";
constexpr std::size_t kMostRowsRead = 2000000;
const std::string kTextForANumberSettingsFile = "tools_tests_text_for_a_number.xml";
const std::string kChangedOnSaveSettingsFile = "tools_tests_changed_on_save.xml";
const std::string kNegativePosYSettingsFile = "tools_tests_negative_pos_y.xml";
const std::string kReadOnlySettingsFile = "tools_tests_read_only_settings.xml";
// A pipe, which replacing would turn into a plain file.
const std::string kPipe = "tools_tests_pipe";
// An outline that no refused command line may change, and a link to it.
const std::string kKeptOutlineFile = "tools_tests_kept_outline.txt";
const std::string kKeptOutline = "Body\n  Arm [current]\n";
const std::string kLinkToKeptOutline = "tools_tests_kept_outline_link.txt";
// A file with a second hard link, which replacing it would split off.
const std::string kHardLinkedFile = "tools_tests_hard_linked.txt";
// A file that two options name at once; refused, it is never made.
const std::string kNeverWritten = "tools_tests_one.txt";
constexpr std::size_t kLongLineLength = 100000;
constexpr std::size_t kQuotedLength = 80;
// Room for the longest message (the paths it names and an 80-character
// quote), or for two warnings.
constexpr std::size_t kLongestMessage = 600;
const std::string kHostModuleLackingAName =
    std::string("./mqhost_lacking_last") + ROWSHIFT_MODULE_SUFFIX;
const std::string kHostModule = std::string("./mqhost") + ROWSHIFT_MODULE_SUFFIX;

std::vector<ErrorCase> ErrorCases() {
  const std::string scene = ExamplePath("scene.txt");
  return {
      {"MissingOutlineFile",
       {"tools_tests_no_such_outline.txt", "up"},
       kExitFailure,
       {"tools_tests_no_such_outline.txt", "no such file"}},
      {"BadOutlineLineIsNamedWithItsNumberAndText",
       {kBadOutlineFile, "up"},
       kExitFailure,
       {kBadOutlineFile + ":3:", "\"   Hand\""}},
      {"LinesEndingInCarriageReturnsAreCounted",
       {kCarriageReturnOutlineFile, "up"},
       kExitFailure,
       {kCarriageReturnOutlineFile + ":3: odd indent"}},
      {"ControlCharacterInANameIsRefusedAndShownEscaped",
       {kControlCharacterOutlineFile, "up"},
       kExitFailure,
       {kControlCharacterOutlineFile + ":2: a control character", "\"  Arm\\x1B[2J\xE6\xA4\x85\""}},
      {"BinaryFileSaysWhereItsFirstNulStands",
       {kBinaryOutlineFile, "up"},
       kExitFailure,
       {kBinaryOutlineFile + ": not text: line 1, column 8 holds a NUL byte, as binary files do"}},
      {"OneNulInTextIsNoUtf16",
       {kNulOutlineFile, "up"},
       kExitFailure,
       {"line 2, column 3 holds a NUL"}},
      {"Utf32WithoutAMarkIsNamedAsOne",
       {kUtf32OutlineFile, "up"},
       kExitFailure,
       {kUtf32OutlineFile + ": not UTF-8 text; it looks like UTF-32"}},
      {"Utf16OutlineIsNamedAsOne",
       {kUtf16OutlineFile, "up"},
       kExitFailure,
       {kUtf16OutlineFile + ": not UTF-8 text; it looks like UTF-16"}},
      {"DepthBeyondTheLimit",
       {kTooDeepOutlineFile, "up"},
       kExitFailure,
       {kTooDeepOutlineFile + ":2: depth beyond the limit of 1000000"}},
      {"LongLineIsQuotedOnlyInPart",
       {kLongLineOutlineFile, "up"},
       kExitFailure,
       {kLongLineOutlineFile + ":1: unknown flag \"shiny\"",
        "(flags: current selected collapsed ineligible depth=N)",
        "\"" + std::string(kQuotedLength, 'x') + "...\""}},
      {"IndentedFirstRowSaysWhy",
       {kIndentedOutlineFile, "up"},
       kExitFailure,
       {kIndentedOutlineFile + ":1: the first row is indented; rows start at the left margin"}},
      // Byte encodings are not named: these bytes decode as several.
      {"ShiftJisOutlineSaysWhereItsFirstByteThatIsNotUtf8Stands",
       {kShiftJisOutlineFile, "up"},
       kExitFailure,
       {kShiftJisOutlineFile + ": not UTF-8 text: line 3, column 3 holds a byte that is not UTF-8 "
                               "(\\x83); save it as UTF-8"}},
      {"EucJpOutlineSaysWhereItsFirstByteThatIsNotUtf8Stands",
       {kEucJpOutlineFile, "up"},
       kExitFailure,
       {kEucJpOutlineFile + ": not UTF-8 text: line 2, column 3 holds a byte that is not UTF-8"}},
      {"Latin1OutlineSaysWhereItsFirstByteThatIsNotUtf8Stands",
       {kLatin1OutlineFile, "up"},
       kExitFailure,
       {kLatin1OutlineFile + ": not UTF-8 text: line 1, column 4 holds a byte that is not UTF-8"}},
      {"JapaneseUtf16WithoutAMarkIsNamedAsUtf16",
       {kJapaneseUtf16OutlineFile, "up"},
       kExitFailure,
       {kJapaneseUtf16OutlineFile + ": not UTF-8 text; it looks like UTF-16 (save it as UTF-8)"}},
      {"FourSpaceIndentIsRefusedWithTheRule",
       {kFourSpacesOutlineFile, "up"},
       kExitFailure,
       {kFourSpacesOutlineFile + ":2: 2 levels below the object in front of it (depth 2 after "
                                 "0); a row goes at most one level deeper: indent two spaces per "
                                 "level: \"    Chair [current]\""}},
      {"DepthFlagFarBelowTheObjectInFrontIsRefused",
       {kDepthJumpOutlineFile, "up"},
       kExitFailure,
       {kDepthJumpOutlineFile + ":2: 1000000 levels below the object in front of it"}},
      {"FullWidthSpaceIndentIsNamed",
       {kFullWidthIndentOutlineFile, "up"},
       kExitFailure,
       {kFullWidthIndentOutlineFile +
        ":2: indented with a full-width space (U+3000), which looks like a space but is not one"}},
      {"NoBreakSpaceIndentIsNamed",
       {kNoBreakIndentOutlineFile, "up"},
       kExitFailure,
       {kNoBreakIndentOutlineFile + ":3: indented with a no-break space (U+00A0)"}},
      {"PictureLanguageWithoutAPicture",
       {"--svg-lang", "ja", scene, "up"},
       kExitUsage,
       {"--svg-lang needs --svg"}},
      {"OutlineThatIsAFolderGivesTheSystemsReason",
       {".", "up"},
       kExitFailure,
       {"cannot read the outline file '.': is a directory"}},
      {"SettingsFileThatCannotBeWrittenStopsBeforeAnyStep",
       {"--settings", "tools_tests_no_such_folder/settings.xml", scene, "up"},
       kExitFailure,
       {"cannot write the settings file 'tools_tests_no_such_folder/settings.xml': no such file "
        "or directory (nothing was run)"}},
      {"ReadOnlySettingsFileStopsBeforeAnyStep",
       {"--settings", kReadOnlySettingsFile, scene, "up"},
       kExitFailure,
       {"cannot write the settings file '" + kReadOnlySettingsFile +
        "': it is read-only (nothing was run)"}},
      {"OutputThatIsAPipeIsRefused",
       {"--output", kPipe, scene, "up"},
       kExitFailure,
       {"cannot write the output file '" + kPipe + "': it is not a regular file"}},
      {"StoredTextForANumberIsNamedWithWhatItIsSavedAs",
       {"--settings", kTextForANumberSettingsFile, "--list"},
       kExitSuccess,
       {"warning: the stored value \"abc\" of <root>/<pluginsettings>/"
        "<Plugin-5D2E7C14-2A6B93F0>/<PosX> is not a number as the plug-in writes one (whole, "
        "decimal, 32 bits); it will be saved as 0"}},
      {"StoredValuesThatChangeOnSaveWarn",
       {"--settings", kChangedOnSaveSettingsFile, "--list"},
       kExitSuccess,
       {"the stored value \"1e3\" of ", "<PosX> is not a number as the plug-in writes one",
        "the stored position \"-5\" of ",
        "<PosY> is negative, which the plug-in reads as no stored position"}},
      {"APositionDroppedWithTheOtherIsNamedToo",
       {"--settings", kNegativePosYSettingsFile, "--list"},
       kExitSuccess,
       {"the stored position \"5\" of ",
        "<PosX> goes with the negative <PosY>, which the plug-in "
        "reads as no stored position; it will be saved as 0",
        "\"-5\" of "}},
      {"PictureOverTheOutlineThroughALinkIsRefused",
       {"--svg", kLinkToKeptOutline, kKeptOutlineFile, "up"},
       kExitUsage,
       {"the outline file '" + kKeptOutlineFile + "' and --svg '" + kLinkToKeptOutline +
        "' name the same file"}},
      {"OutputAndSettingsOnOneFileAreRefused",
       {"--output", kNeverWritten, "--settings", "./" + kNeverWritten, scene, "up"},
       kExitUsage,
       {"--output 'tools_tests_one.txt' and --settings './tools_tests_one.txt' name the same"}},
      {"SettingsOnAStreamAreRefused",
       {"--settings", "-", scene, "up"},
       kExitUsage,
       {"--settings needs a file, not '-'"}},
      {"InputWithoutAnEndStopsAtTheLimit",
       {"/dev/zero", "up"},
       kExitFailure,
       {"cannot read the outline file '/dev/zero': larger than 256 MiB"}},
      {"OutlineOfMoreRowsThanTheLimit",
       {kTooManyRowsOutlineFile, "up"},
       kExitFailure,
       {kTooManyRowsOutlineFile + ":2000001: more than 2000000 rows, the most that are read"}},
      {"UnknownSubcommandListsTheOfferedKeys",
       {scene, "up", "sideways"},
       kExitUsage,
       {"unknown sub-command 'sideways'", "insert, up, down, top, bottom, gather"}},
      {"PluginThatDoesNotLoad",
       {"--plugin", "./tools_tests_no_such_plugin.so", scene, "up"},
       kExitFailure,
       {"cannot load the plug-in module: there is no file 'tools_tests_no_such_plugin.so' in '",
        "(use --plugin to name another)"}},
      {"ModuleThatIsNoPlugin",
       {"--plugin", kHostModule, scene, "up"},
       kExitFailure,
       {"is not a plug-in", "MQCheckVersion"}},
      {"HostModuleThatDoesNotLoad",
       {"--host-module", "./tools_tests_no_such_host.so", scene, "up"},
       kExitFailure,
       {"cannot load the host module", "tools_tests_no_such_host.so"}},
      {"PluginWhoseInitAnswersZero",
       {"--host-module", kHostModuleLackingAName, scene, "up"},
       kExitFailure,
       {"MQInit answered 0", kHostModuleLackingAName}},
      {"ModuleThatIsNoStandinHost",
       {"--host-module", ROWSHIFT_PLUGIN_FILE, scene, "up"},
       kExitFailure,
       {"is not the stand-in host module", "Standin_ControlTable"}},
      {"PictureThatCannotBeWritten",
       {"--svg", ".", scene, "up"},
       kExitFailure,
       {"cannot write the picture '.'"}},
      {"OutputWithAnotherHardLinkIsRefused",
       {"--output", kHardLinkedFile, scene, "up"},
       kExitFailure,
       {"cannot write the output file '" + kHardLinkedFile + "': it has 1 other hard link"}},
      {"ReportThatCannotBeWrittenFails",
       {scene, "up"},
       kExitFailure,
       {"rowshift-host: cannot write standard output: no space left on device"},
       ">/dev/full"},
      {"ClosedStandardOutputFails",
       {"--list"},
       kExitFailure,
       {"rowshift-host: cannot write standard output: bad file descriptor"},
       ">&-"},
      {"RepeatedOutputIsAUsageError",
       {"--output", "a.txt", "--output", kNeverWritten, scene, "up"},
       kExitUsage,
       {"--output is given twice"}},
      {"NoOutlineFile", {}, kExitUsage, {"no outline file given"}},
      {"UnknownOption", {"--colour", scene}, kExitUsage, {"unknown option '--colour'"}},
      {"OptionWithoutItsValue", {scene, "--plugin"}, kExitUsage, {"--plugin needs a value"}},
      {"ClickWithoutAButton", {scene, "click"}, kExitUsage, {"click needs a button"}},
  };
}

class RowshiftHostErrors : public ::testing::TestWithParam<ErrorCase> {
 protected:
  static void SetUpTestSuite() {
    // Line 3 is indented by three spaces: not a whole level.
    WriteSuiteFile("bad_outline.txt", "Body\n  Arm\n   Hand\n");
    std::error_code status;
    WriteSuiteFile("cr_outline.txt", "Body\r  Arm\r   Hand\r");
    WriteSuiteFile("control_outline.txt", "Body\n  Arm\x1B[2J\xE6\xA4\x85\n");
    // "Room", "Table", "ソファ [current]" in Shift_JIS: 0x5C, a backslash in
    // ASCII, is the second byte of ソ.
    WriteSuiteFile("shift_jis_outline.txt", "Room\n  Table\n  \x83\x5C\x83t\x83@ [current]\n");
    // "Room", "ソファ" in EUC-JP.
    WriteSuiteFile("euc_jp_outline.txt", "Room [current]\n  \xA5\xBD\xA5\xD5\xA5\xA1\n");
    WriteSuiteFile("latin1_outline.txt", "Caf\xE9 [current]\n");
    // "部屋", "  ソファ" in UTF-16LE without a byte-order mark.
    WriteSuiteFile("japanese_utf16_outline.txt",
                   std::string("\xE8\x90\x4B\x5C\n\0 \0 \0\xBD\x30\xD5\x30\xA1\x30\n\0", 18));
    std::string empty_slots;
    for (std::size_t row = 0; row < kMostRowsRead; ++row) empty_slots += "-\n";
    WriteSuiteFile("too_many_rows_outline.txt", "Room [current]\n" + empty_slots);
    WriteSuiteFile("four_spaces_outline.txt", "Room\n    Chair [current]\n");
    WriteSuiteFile("depth_jump_outline.txt", "A [current]\nB [depth=1000000]\n");
    WriteSuiteFile("full_width_indent_outline.txt",
                   "Room [current]\n\xE3\x80\x80\xE3\x80\x80"
                   "Chair\n");
    WriteSuiteFile("no_break_indent_outline.txt",
                   "Room [current]\n  Table\n  \xC2\xA0\xC2\xA0"
                   "Chair\n");
    WriteSuiteFile("binary_outline.txt", std::string("\x7F"
                                                     "ELF\x02\x01\x01\0\0\0\0\x03\0>\0",
                                                     16));
    WriteSuiteFile("utf16_outline.txt", std::string("B\0o\0d\0y\0\n\0", 10));
    WriteSuiteFile("utf32_outline.txt", std::string("B\0\0\0o\0\0\0\n\0\0\0", 12));
    WriteSuiteFile("nul_outline.txt", std::string("Room\nTa\0ble\n", 12));
    WriteSuiteFile("too_deep_outline.txt", "Body\nArm [depth=2000000000]\n");
    WriteSuiteFile("long_line_outline.txt", std::string(kLongLineLength, 'x') + " [shiny]\n");
    WriteSuiteFile("indented_outline.txt", "  Body\n    Arm [current]\n");
    WriteSuiteFile("kept_outline.txt", kKeptOutline);
    std::filesystem::create_hard_link(WriteSuiteFile("hard_linked.txt", kKeptOutline),
                                      SuiteFile("hard_link.txt"), status);
    std::remove(kNeverWritten.c_str());
    std::filesystem::create_symlink(kKeptOutlineFile, kLinkToKeptOutline, status);
    WriteSuiteFile("changed_on_save.xml",
                   "<root><pluginsettings><Plugin-5D2E7C14-2A6B93F0><PosX>1e3</PosX><PosY>-5</PosY>"
                   "</Plugin-5D2E7C14-2A6B93F0></pluginsettings></root>");
    WriteSuiteFile("negative_pos_y.xml",
                   "<root><pluginsettings><Plugin-5D2E7C14-2A6B93F0><PosX>5"
                   "</PosX><PosY>-5</PosY></Plugin-5D2E7C14-2A6B93F0></pluginsettings></root>");
    // No write bit for its owner: refused also when the suite runs as root.
    std::filesystem::permissions(WriteSuiteFile("read_only_settings.xml", "<root/>"),
                                 std::filesystem::perms::owner_read);
    ::mkfifo(kPipe.c_str(), S_IRUSR | S_IWUSR);
    WriteSuiteFile("text_for_a_number.xml",
                   "<root><pluginsettings><Plugin-5D2E7C14-2A6B93F0><PosX>abc</PosX>"
                   "</Plugin-5D2E7C14-2A6B93F0></pluginsettings></root>");
  }
};

TEST_P(RowshiftHostErrors, ExplainOnOneLineWithoutRunningAStep) {
  const ErrorCase& error = GetParam();

  std::string command = "\"" + HostProgramPath() + "\"";
  for (const std::string& argument : error.arguments) command += " \"" + argument + "\"";
  const HostProcess run =
      error.standard_output.empty()
          ? RunRowshiftHost(error.arguments)
          : RunProgram("/bin/sh", {"-c", command + " " + error.standard_output});

  EXPECT_EQ(run.exit_code, error.exit_code) << run.out << run.err;
  ASSERT_FALSE(run.err.empty());
  EXPECT_EQ(run.err.rfind("rowshift-host: ", 0), 0u) << run.err;
  EXPECT_LT(run.err.size(), kLongestMessage) << run.err;
  for (const std::string& part : error.message_parts) {
    EXPECT_NE(run.err.find(part), std::string::npos) << "'" << part << "' not in: " << run.err;
  }
  EXPECT_TRUE(StepBlocks(run.out).empty()) << run.out;
  EXPECT_EQ(ReadFile(kKeptOutlineFile), kKeptOutline);
  EXPECT_EQ(ReadFile(kHardLinkedFile), kKeptOutline);
  EXPECT_FALSE(std::filesystem::exists(kNeverWritten));
}

INSTANTIATE_TEST_SUITE_P(CommandLines, RowshiftHostErrors, ::testing::ValuesIn(ErrorCases()),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace rowshift::testing

// The platform's text conversions, run on each system's own converter: the
// system code page (a different one on each side of the build), UTF-8 and
// UTF-16, and what happens to text that is not valid in its encoding.
#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "system_text_cases.h"

namespace rowshift::platform {
namespace {

using rowshift::testing::ActiveCodePageCases;
using rowshift::testing::kActiveCodePage;

TEST(SystemCodePageText, ReachesUtf8AsTheSameCharacters) {
  const auto rows = ActiveCodePageCases();
  ASSERT_FALSE(rows.empty()) << "no rows for code page " << kActiveCodePage;
  for (const auto& row : rows) {
    const WideString wide = SystemCodePageToUtf16(row.system_text);
    EXPECT_EQ(Utf16ToUtf8(wide.c_str()), row.utf8) << row.utf8;
  }
}

// UTF-16 spelled out unit by unit, so the table reads the same on both systems.
struct UnicodeCase {
  const char* what;
  const char* utf8;
  WideString utf16;
};

const UnicodeCase kUnicodeCases[] = {
    {"empty", "", {}},
    {"ASCII", "Rowshift", {'R', 'o', 'w', 's', 'h', 'i', 'f', 't'}},
    {"Latin letters",
     "Gr\xC3\xB6\xC3\x9F"
     "e",
     {'G', 'r', 0x00F6, 0x00DF, 'e'}},
    {"Japanese", "\xE4\xB8\x8A\xE3\x81\xB8", {0x4E0A, 0x3078}},
    {"outside the basic plane", "\xF0\x9F\x93\x90", {0xD83D, 0xDCD0}},
};

TEST(UnicodeText, Utf8AndUtf16ConvertBothWays) {
  for (const UnicodeCase& row : kUnicodeCases) {
    EXPECT_EQ(Utf8ToUtf16(row.utf8), row.utf16) << row.what;
    EXPECT_EQ(Utf16ToUtf8(row.utf16.c_str()), row.utf8) << row.what;
  }
}

TEST(UnicodeText, NullInputGivesEmptyText) {
  EXPECT_TRUE(SystemCodePageToUtf16(nullptr).empty());
  EXPECT_TRUE(Utf8ToUtf16(nullptr).empty());
  EXPECT_TRUE(Utf16ToUtf8(nullptr).empty());
}

constexpr WideChar kReplacement = 0xFFFD;
constexpr const char* kReplacementUtf8 = "\xEF\xBF\xBD";

TEST(UnicodeText, StrayUtf8ByteBecomesOneReplacementCharacter) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            (WideString{'a', kReplacement, 'b'}));
}

TEST(UnicodeText, LoneSurrogateBecomesReplacementCharacter) {
  const WideChar lone_high[] = {'a', 0xD83D, 'b', 0};
  const WideChar lone_low[] = {'a', 0xDCD0, 0};
  EXPECT_EQ(Utf16ToUtf8(lone_high), std::string("a") + kReplacementUtf8 + "b");
  EXPECT_EQ(Utf16ToUtf8(lone_low), std::string("a") + kReplacementUtf8);
}

TEST(UnicodeText, ConversionStopsAtTheTerminator) {
  const char utf8[] = {'P', 'o', 's', 0, 'X', 0};
  const WideChar utf16[] = {'P', 'o', 's', 0, 'X', 0};
  EXPECT_EQ(Utf8ToUtf16(utf8), (WideString{'P', 'o', 's'}));
  EXPECT_EQ(Utf16ToUtf8(utf16), "Pos");
}

}  // namespace
}  // namespace rowshift::platform

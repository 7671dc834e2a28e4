#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "settings/text_conversion.h"
#include "support/wide_text.h"

namespace rowshift {
namespace {

constexpr WideChar kReplacement = 0xFFFD;
constexpr char kUtf8Replacement[] = "\xEF\xBF\xBD";

using testing::Wide;

// A heap copy of exactly the text and its terminator, so that AddressSanitizer
// reports any read past the end.
std::unique_ptr<char[]> ExactCopy(const std::string& text) {
  auto copy = std::make_unique<char[]>(text.size() + 1);
  std::memcpy(copy.get(), text.c_str(), text.size() + 1);
  return copy;
}

std::unique_ptr<WideChar[]> ExactCopy(const WideString& text) {
  auto copy = std::make_unique<WideChar[]>(text.size() + 1);
  std::copy(text.c_str(), text.c_str() + text.size() + 1, copy.get());
  return copy;
}

WideString WithoutReplacements(WideString text) {
  text.erase(std::remove(text.begin(), text.end(), kReplacement), text.end());
  return text;
}

std::string WithoutReplacements(std::string text) {
  for (std::size_t at; (at = text.find(kUtf8Replacement)) != std::string::npos;) {
    text.erase(at, std::strlen(kUtf8Replacement));
  }
  return text;
}

TEST(TextConversionTest, ValidTextRoundTripsBetweenUtf8AndUtf16) {
  struct Case {
    const char* utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"", u""},
      {"PosX", u"PosX"},
      {"\xE4\xB8\x8A\xE3\x81\xB8", u"\u4E0A\u3078"},            // a Japanese label
      {"\xE3\x81\x93\xE3\x82\x93 (&U)", u"\u3053\u3093 (&U)"},  // mixed with ASCII
      {"\xF0\x9F\x98\x80", u"\xD83D\xDE00"},                    // an emoji: a surrogate pair
      {"a\xC3\xA9\xF0\x9F\x8E\x89z", u"a\u00E9\xD83C\xDF89z"},  // two- and four-byte forms
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    const auto utf8 = ExactCopy(c.utf8);
    const WideString wide = Utf8ToWide(utf8.get());
    EXPECT_EQ(wide, Wide(c.utf16));
    const auto wide_copy = ExactCopy(wide);
    EXPECT_EQ(WideToUtf8(wide_copy.get()), c.utf8);
  }
}

TEST(TextConversionTest, NullInputGivesEmptyText) {
  EXPECT_EQ(SystemToUtf8(nullptr), "");
  EXPECT_EQ(Utf8ToWide(nullptr), WideString());
  EXPECT_EQ(WideToUtf8(nullptr), "");
}

TEST(TextConversionTest, SystemTextInAsciiReachesUtf8Unchanged) {
  const auto key = ExactCopy("Rowshift_activate");
  EXPECT_EQ(SystemToUtf8(key.get()), "Rowshift_activate");
  EXPECT_EQ(SystemToUtf8(""), "");
}

// How many replacement characters stand for one bad sequence is the platform's
// choice; that there is at least one, and that the good text around it is kept
// in order, is ours.
TEST(TextConversionTest, InvalidUtf8IsReplacedAndNeverReadPastItsEnd) {
  struct Case {
    const char* name;
    std::string utf8;
    std::u16string kept;
  };
  const Case cases[] = {
      {"a byte that starts nothing",
       "A\xFF"
       "B",
       u"AB"},
      {"a stray continuation byte", "\x80z", u"z"},
      {"a sequence cut short by other text",
       "\xE3\x81"
       "A",
       u"A"},
      {"a sequence cut short by the end", "ok\xE3\x81", u"ok"},
      {"a lead byte alone at the end", "ok\xF0", u"ok"},
      {"an overlong slash", "\xC0\xAF!", u"!"},
      {"an encoded surrogate", "\xED\xA0\x80x", u"x"},
      {"beyond the last code point", "\xF4\x90\x80\x80y", u"y"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto utf8 = ExactCopy(c.utf8);
    const WideString wide = Utf8ToWide(utf8.get());
    EXPECT_NE(wide.find(kReplacement), WideString::npos);
    EXPECT_EQ(WithoutReplacements(wide), Wide(c.kept));
  }
}

TEST(TextConversionTest, LoneSurrogatesAreReplacedAndNeverReadPastTheirEnd) {
  struct Case {
    const char* name;
    std::u16string utf16;
    std::string kept;
  };
  const Case cases[] = {
      {"a high surrogate before a letter",
       u"\xD800"
       u"A",
       "A"},
      {"a high surrogate at the end", u"ok\xD83D", "ok"},
      {"a low surrogate alone",
       u"A\xDC00"
       u"B",
       "AB"},
      {"a pair in the wrong order", u"\xDE00\xD83D", ""},
      {"a high surrogate before another pair", u"\xD800\xD83D\xDE00", "\xF0\x9F\x98\x80"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto wide = ExactCopy(Wide(c.utf16));
    const std::string utf8 = WideToUtf8(wide.get());
    EXPECT_NE(utf8.find(kUtf8Replacement), std::string::npos);
    EXPECT_EQ(WithoutReplacements(utf8), c.kept);
  }
}

TEST(TextConversionTest, ReplacedTextIsValidAndConvertsBackTheSameWay) {
  const auto utf8 = ExactCopy("a\xFF\xE3\x81");
  const WideString wide = Utf8ToWide(utf8.get());
  EXPECT_EQ(Utf8ToWide(WideToUtf8(wide.c_str()).c_str()), wide);
}

}  // namespace
}  // namespace rowshift

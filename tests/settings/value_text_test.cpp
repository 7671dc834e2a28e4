#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "settings/bounded_format.h"
#include "settings/decimal_text.h"
#include "support/wide_text.h"

namespace rowshift {
namespace {

using testing::Wide;

TEST(FormatNarrowTest, FormatsTheSectionNameAndCountsItsCharacters) {
  NarrowFormatBuffer buffer;
  EXPECT_EQ(FormatNarrow(buffer, "Plugin-%08X-%08X", 0x5D2E7C14u, 0x2A6B93F0u), 24);
  EXPECT_STREQ(buffer.data(), "Plugin-5D2E7C14-2A6B93F0");
}

TEST(FormatNarrowTest, TextThatFillsTheBufferExactlyFitsAndOneMoreFails) {
  NarrowFormatBuffer buffer;
  const std::string longest(kNarrowFormatCapacity - 1, 'x');
  EXPECT_EQ(FormatNarrow(buffer, "%s", longest.c_str()), static_cast<int>(longest.size()));
  EXPECT_EQ(buffer.data(), longest);

  EXPECT_EQ(FormatNarrow(buffer, "%s!", longest.c_str()), -1);
  EXPECT_STREQ(buffer.data(), "");
}

TEST(FormatNarrowTest, ANullFormatFails) {
  NarrowFormatBuffer buffer;
  EXPECT_EQ(FormatNarrow(buffer, nullptr), -1);
  EXPECT_STREQ(buffer.data(), "");
}

TEST(FormatWideTest, FormatsIntegersAsDecimalUtf16) {
  struct Case {
    int value;
    std::u16string text;
  };
  const Case cases[] = {
      {0, u"0"},
      {-1, u"-1"},
      {120, u"120"},
      {std::numeric_limits<int32_t>::min(), u"-2147483648"},
      {std::numeric_limits<int32_t>::max(), u"2147483647"},
  };
  for (const Case& c : cases) {
    WideFormatBuffer buffer;
    EXPECT_EQ(FormatWide(buffer, "%d", c.value), static_cast<int>(c.text.size()));
    EXPECT_EQ(WideString(buffer.data()), Wide(c.text));
  }
}

TEST(FormatWideTest, TextLongerThanTheBufferFailsAndLeavesItEmpty) {
  WideFormatBuffer buffer;
  EXPECT_EQ(FormatWide(buffer, "%063d", 7), 63);
  EXPECT_EQ(FormatWide(buffer, "%064d", 7), -1);
  EXPECT_EQ(buffer[0], 0);
}

TEST(ParseDecimalTest, ReadsDigitsAfterBlanksAndASign) {
  struct Case {
    std::u16string text;
    int32_t value;
  };
  const Case cases[] = {
      {u"", 0},
      {u"   ", 0},
      {u"  42abc", 42},
      {u"-7", -7},
      {u"+0", 0},
      {u"-0", 0},
      {u"\v\f12", 12},
      {u"--1", 0},
      {u"+-1", 0},
      {u"x12", 0},
      {u"12 34", 12},
      {u"007", 7},
      {u"\u3000"
       u"5",
       0},  // an ideographic space is not a blank here
      {u"2147483647", 2147483647},
      {u"-2147483648", std::numeric_limits<int32_t>::min()},
      {u"2147483648", 2147483647},
      {u"-2147483649", std::numeric_limits<int32_t>::min()},
      {u"000000000000000000002147483647", 2147483647},
      {u"18446744073709551617", 2147483647},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(WideToUtf8(Wide(c.text).c_str())));
    EXPECT_EQ(ParseDecimal(Wide(c.text)), c.value);
  }
}

}  // namespace
}  // namespace rowshift

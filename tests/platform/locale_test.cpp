// The character-type locale step of library load: Japanese with code page 932
// on Windows (in the process-wide C runtime), the locale left alone elsewhere.
#include "platform/locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace rowshift::platform {
namespace {

// Empty where the step must leave the locale as it was.
constexpr const char* kExpectedLocale = ROWSHIFT_TEST_LOAD_TIME_CHARACTER_LOCALE;

TEST(LoadTimeLocale, SetsOnlyTheCharacterTypeCategory) {
  const std::string character_before = std::setlocale(LC_CTYPE, nullptr);
  const std::string numeric_before = std::setlocale(LC_NUMERIC, nullptr);

  ApplyLoadTimeLocale();
  const std::string character_after = std::setlocale(LC_CTYPE, nullptr);
  const std::string numeric_after = std::setlocale(LC_NUMERIC, nullptr);
  std::setlocale(LC_CTYPE, character_before.c_str());

  if (std::string(kExpectedLocale).empty()) {
    EXPECT_EQ(character_after, character_before);
  } else {
    EXPECT_EQ(character_after, kExpectedLocale);
  }
  EXPECT_EQ(numeric_after, numeric_before);
}

}  // namespace
}  // namespace rowshift::platform

// The settings store's text handling on any bytes: the decimal reader, and the
// conversions between UTF-8, UTF-16 and the system code page.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "fuzz/fuzz_input.h"
#include "settings/decimal_text.h"
#include "settings/text_conversion.h"

namespace rowshift::testing {
namespace {

constexpr char32_t kLargestCodePoint = 0x10FFFF;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Strict UTF-8: shortest forms only, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80         ? 1
                               : lead >> 5 == 0x6  ? 2
                               : lead >> 4 == 0xE  ? 3
                               : lead >> 3 == 0x1E ? 4
                                                   : 0;
    if (length == 0 || at + length > text.size()) return false;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
      const auto next = static_cast<unsigned char>(text[at + i]);
      if (next >> 6 != 0x2) return false;
      c = (c << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || IsSurrogate(c) || c > kLargestCodePoint) return false;
    at += length;
  }
  return true;
}

// Every surrogate in a pair, high then low.
bool IsValidUtf16(const WideString& text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char32_t unit = static_cast<char16_t>(text[at]);
    if (!IsSurrogate(unit)) continue;
    if (unit >= 0xDC00 || at + 1 == text.size()) return false;
    const char32_t next = static_cast<char16_t>(text[++at]);
    if (next < 0xDC00 || next > 0xDFFF) return false;
  }
  return true;
}

// What strtoll reads from the text, clamped to int32: the reader's documented
// rule. Units outside ASCII stop it like any other non-digit.
int32_t ReferenceDecimal(const WideString& text) {
  std::string ascii;
  for (const WideChar unit : text) {
    if (unit == 0) break;
    ascii.push_back(static_cast<char16_t>(unit) < 0x80 ? static_cast<char>(unit) : 'x');
  }
  const long long value = std::strtoll(ascii.c_str(), nullptr, 10);
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

void CheckUtf8Input(const std::string& bytes) {
  const WideString wide = Utf8ToWide(bytes.c_str());
  Require(wide.find(WideChar{0}) == WideString::npos, "UTF-16 from UTF-8 holds no NUL");
  Require(IsValidUtf16(wide), "UTF-16 from any bytes is well formed");
  const std::string back = WideToUtf8(wide.c_str());
  Require(IsValidUtf8(back), "UTF-8 from converted text is well formed");
  const std::string up_to_nul = bytes.c_str();
  if (IsValidUtf8(up_to_nul)) Require(back == up_to_nul, "valid UTF-8 survives a round trip");
  Require(IsValidUtf8(SystemToUtf8(bytes.c_str())), "UTF-8 from the code page is well formed");
}

void CheckUtf16Input(const WideString& units) {
  const std::string narrow = WideToUtf8(units.c_str());
  Require(narrow.find('\0') == std::string::npos, "UTF-8 from UTF-16 holds no NUL");
  Require(IsValidUtf8(narrow), "UTF-8 from any units is well formed");
  const WideString up_to_nul = units.c_str();
  if (IsValidUtf16(up_to_nul)) {
    Require(Utf8ToWide(narrow.c_str()) == up_to_nul, "valid UTF-16 survives a round trip");
  }
}

void CheckDecimal(const WideString& text, int32_t number) {
  Require(ParseDecimal(text) == ReferenceDecimal(text), "decimal reader reads as strtol");
  const std::string written = std::to_string(number);
  Require(ParseDecimal(Utf8ToWide(written.c_str())) == number, "written number reads back");
}

}  // namespace
}  // namespace rowshift::testing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rowshift;
  testing::FuzzInput input(data, size);
  const int32_t number = input.Value<int32_t>();
  const std::string bytes = input.Rest();
  WideString units;
  for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
    units.push_back(static_cast<WideChar>(static_cast<unsigned char>(bytes[at]) |
                                          static_cast<unsigned char>(bytes[at + 1]) << 8));
  }
  testing::CheckUtf8Input(bytes);
  testing::CheckUtf16Input(units);
  testing::CheckDecimal(units, number);
  testing::CheckDecimal(Utf8ToWide(bytes.c_str()), number);
  return 0;
}

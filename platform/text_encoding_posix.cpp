#include <cstring>
#include <iterator>

#include <utf8cpp/utf8.h>

#include "platform/text_encoding.h"

namespace rowshift::platform {
namespace {

constexpr uint32_t kReplacementCharacter = 0xFFFD;
constexpr uint32_t kHighSurrogateFirst = 0xD800;
constexpr uint32_t kLowSurrogateFirst = 0xDC00;
constexpr uint32_t kSurrogateLast = 0xDFFF;
constexpr uint32_t kSupplementaryFirst = 0x10000;
constexpr int kSurrogatePayloadBits = 10;

bool IsHighSurrogate(uint32_t unit) {
  return unit >= kHighSurrogateFirst && unit < kLowSurrogateFirst;
}
bool IsLowSurrogate(uint32_t unit) { return unit >= kLowSurrogateFirst && unit <= kSurrogateLast; }

}  // namespace

// The system code page is UTF-8 here.
WideString SystemCodePageToUtf16(const char* text) { return Utf8ToUtf16(text); }

WideString Utf8ToUtf16(const char* text) {
  if (text == nullptr) return {};
  const char* end = text + std::strlen(text);
  std::string valid;
  utf8::replace_invalid(text, end, std::back_inserter(valid), kReplacementCharacter);
  WideString wide;
  utf8::utf8to16(valid.begin(), valid.end(), std::back_inserter(wide));
  return wide;
}

std::string Utf16ToUtf8(const WideChar* text) {
  std::string utf8;
  if (text == nullptr) return utf8;
  for (const WideChar* unit = text; *unit != 0; ++unit) {
    uint32_t code_point = static_cast<uint16_t>(*unit);
    if (IsHighSurrogate(code_point) && IsLowSurrogate(static_cast<uint16_t>(unit[1]))) {
      const uint32_t low = static_cast<uint16_t>(*++unit);
      code_point = kSupplementaryFirst +
                   ((code_point - kHighSurrogateFirst) << kSurrogatePayloadBits) +
                   (low - kLowSurrogateFirst);
    } else if (IsHighSurrogate(code_point) || IsLowSurrogate(code_point)) {
      code_point = kReplacementCharacter;
    }
    utf8::append(code_point, std::back_inserter(utf8));
  }
  return utf8;
}

}  // namespace rowshift::platform

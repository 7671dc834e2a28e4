#include "settings/text_conversion.h"

#include "platform/text_encoding.h"

namespace rowshift {

std::string SystemToUtf8(const char* text) {
  if (text == nullptr) return {};
  return platform::Utf16ToUtf8(platform::SystemCodePageToUtf16(text).c_str());
}

WideString Utf8ToWide(const char* text) { return platform::Utf8ToUtf16(text); }

std::string WideToUtf8(const WideChar* text) { return platform::Utf16ToUtf8(text); }

}  // namespace rowshift

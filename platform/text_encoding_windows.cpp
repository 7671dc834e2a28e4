#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/text_encoding.h"

namespace rowshift::platform {
namespace {

// Each conversion measures (the terminator included), converts into the
// measured size plus one unit, and keeps the text up to its first NUL. No
// flags: invalid input becomes U+FFFD, as the system converter does by default.
WideString MultiByteToUtf16(UINT code_page, const char* text) {
  if (text == nullptr) return {};
  const int measured = MultiByteToWideChar(code_page, 0, text, -1, nullptr, 0);
  if (measured <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(measured) + 1, L'\0');
  if (MultiByteToWideChar(code_page, 0, text, -1, buffer.data(), measured) <= 0) return {};
  return WideString(buffer.data(), std::find(buffer.begin(), buffer.end(), L'\0') - buffer.begin());
}

}  // namespace

WideString SystemCodePageToUtf16(const char* text) { return MultiByteToUtf16(CP_ACP, text); }

WideString Utf8ToUtf16(const char* text) { return MultiByteToUtf16(CP_UTF8, text); }

std::string Utf16ToUtf8(const WideChar* text) {
  if (text == nullptr) return {};
  const int measured = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (measured <= 0) return {};
  std::vector<char> buffer(static_cast<size_t>(measured) + 1, '\0');
  if (WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer.data(), measured, nullptr, nullptr) <= 0)
    return {};
  return std::string(buffer.data(), std::find(buffer.begin(), buffer.end(), '\0') - buffer.begin());
}

}  // namespace rowshift::platform

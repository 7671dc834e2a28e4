// Wide text as UTF-16 code units and back, for comparing what the plug-in
// answers and for spelling wide text the same on every platform.
#pragma once

#include <string>

#include "platform/abi.h"

namespace rowshift::testing {

// The units up to the terminator; empty for null.
inline std::u16string Utf16(const WideChar* text) {
  std::u16string units;
  for (; text != nullptr && *text != 0; ++text) units.push_back(static_cast<char16_t>(*text));
  return units;
}

// The units as the platform's wide string, whatever WideChar is.
inline std::basic_string<WideChar> Wide(const std::u16string& units) {
  return std::basic_string<WideChar>(units.begin(), units.end());
}

}  // namespace rowshift::testing

// Wide text as UTF-16 code units, for comparing what the plug-in answers.
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

}  // namespace rowshift::testing

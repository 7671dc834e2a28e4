// UTF-16 constants written as plain ASCII literals, the same on every
// platform whatever WideChar is.
#pragma once

#include <cstddef>

#include "platform/abi.h"

namespace rowshift {

// A NUL-terminated UTF-16 copy of an ASCII literal. Declared constexpr at
// namespace scope it has static storage, so `text` may be handed to the host.
template <std::size_t kLength>
struct WideLiteral {
  WideChar text[kLength];
};

template <std::size_t kLength>
constexpr WideLiteral<kLength> Widen(const char (&ascii)[kLength]) {
  WideLiteral<kLength> wide{};
  for (std::size_t index = 0; index < kLength; ++index) {
    wide.text[index] = static_cast<WideChar>(ascii[index]);
  }
  return wide;
}

}  // namespace rowshift

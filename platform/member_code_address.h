// The code address held by a pointer to a non-virtual member operation.
//
// The host is handed this address as an opaque value it passes through. How a
// member pointer is laid out belongs to the compiler's ABI, so the knowledge
// lives here: the Itanium ABI (GCC, MinGW) and the single-inheritance form of
// MSVC's both keep the entry address in the pointer's first word. For a
// virtual operation the first word is not an address.
#pragma once

#include <cstring>

namespace rowshift::platform {

template <typename MemberOperation>
const void* MemberCodeAddress(MemberOperation operation) {
  static_assert(sizeof(MemberOperation) >= sizeof(const void*),
                "a member-operation pointer starts with its code address");
  const void* address = nullptr;
  std::memcpy(&address, &operation, sizeof address);
  return address;
}

}  // namespace rowshift::platform

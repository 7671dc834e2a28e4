// Memory for a test host's handles, placed where a pointer cut to 32 bits
// cannot reach it.
//
// A host whose objects happen to live in the first 4 GiB of the address space
// cannot catch a handle truncated to 32 bits: the cut pointer still names the
// same object. On 64-bit Windows these blocks come from above 4 GiB; elsewhere
// from the ordinary heap (where memory checkers watch them).
#pragma once

#include <cstddef>
#include <cstdint>

namespace rowshift::platform {

// The first address above the low 4 GiB.
inline constexpr std::uintptr_t kFirstHighAddress = std::uintptr_t{0xFFFFFFFF} + 1;

// True where HighAllocate's blocks start at or above kFirstHighAddress.
bool HandsOutHighAddresses();

// A block of `bytes`, aligned for any object, or null when none can be had.
// Released with HighRelease and the same size.
void* HighAllocate(std::size_t bytes);
void HighRelease(void* block, std::size_t bytes);

}  // namespace rowshift::platform

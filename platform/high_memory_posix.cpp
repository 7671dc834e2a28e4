#include <new>

#include "platform/high_memory.h"

namespace rowshift::platform {

bool HandsOutHighAddresses() { return false; }

void* HighAllocate(std::size_t bytes) { return ::operator new(bytes, std::nothrow); }

void HighRelease(void* block, std::size_t /*bytes*/) { ::operator delete(block); }

}  // namespace rowshift::platform

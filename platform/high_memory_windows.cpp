#include <windows.h>

#include <cstddef>
#include <map>
#include <new>
#include <vector>

#include "platform/high_memory.h"

namespace rowshift::platform {
namespace {

// On 64-bit Windows the system places the process heap low; blocks come
// instead from regions reserved top-down, at the highest free addresses.
constexpr bool kHasHighAddresses = sizeof(void*) == 8;
constexpr std::size_t kAlignment = alignof(std::max_align_t);
constexpr std::size_t kRegionBytes = std::size_t{1} << 20;

std::size_t Rounded(std::size_t bytes, std::size_t unit) {
  return (bytes + unit - 1) / unit * unit;
}

// Carves blocks out of high regions and keeps released blocks, by size, for
// the next request of that size, as a heap would. Regions are never given back
// to the system: the pool serves a test host, which holds little memory.
class HighPool {
 public:
  void* Allocate(std::size_t bytes) {
    const std::size_t size = Rounded(bytes == 0 ? 1 : bytes, kAlignment);
    std::vector<void*>& released = released_[size];
    if (!released.empty()) {
      void* block = released.back();
      released.pop_back();
      return block;
    }
    if (size > left_) {
      const std::size_t region = size > kRegionBytes ? Rounded(size, kRegionBytes) : kRegionBytes;
      void* start =
          VirtualAlloc(nullptr, region, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
      if (start == nullptr) return nullptr;
      next_ = static_cast<char*>(start);
      left_ = region;
    }
    void* block = next_;
    next_ += size;
    left_ -= size;
    return block;
  }

  void Release(void* block, std::size_t bytes) {
    if (block != nullptr) released_[Rounded(bytes == 0 ? 1 : bytes, kAlignment)].push_back(block);
  }

 private:
  char* next_ = nullptr;
  std::size_t left_ = 0;
  std::map<std::size_t, std::vector<void*>> released_;
};

// Made on first use and never destroyed: a block may be released after every
// static destructor has run.
HighPool& Pool() {
  static auto& pool = *new HighPool;
  return pool;
}

}  // namespace

bool HandsOutHighAddresses() { return kHasHighAddresses; }

void* HighAllocate(std::size_t bytes) {
  if (!kHasHighAddresses) return ::operator new(bytes, std::nothrow);
  return Pool().Allocate(bytes);
}

void HighRelease(void* block, std::size_t bytes) {
  if (!kHasHighAddresses) {
    ::operator delete(block);
    return;
  }
  Pool().Release(block, bytes);
}

}  // namespace rowshift::platform

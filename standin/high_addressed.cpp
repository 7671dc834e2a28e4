#include "standin/high_addressed.h"

#include <new>

#include "platform/high_memory.h"

namespace standin {
namespace {

void* Allocate(std::size_t bytes) {
  void* block = rowshift::platform::HighAllocate(bytes);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

}  // namespace

void* HighAddressed::operator new(std::size_t bytes) { return Allocate(bytes); }
void* HighAddressed::operator new[](std::size_t bytes) { return Allocate(bytes); }

void HighAddressed::operator delete(void* block, std::size_t bytes) {
  rowshift::platform::HighRelease(block, bytes);
}
void HighAddressed::operator delete[](void* block, std::size_t bytes) {
  rowshift::platform::HighRelease(block, bytes);
}

}  // namespace standin

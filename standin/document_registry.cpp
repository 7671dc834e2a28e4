#include "standin/document_registry.h"

#include <cstdint>
#include <map>
#include <unordered_map>

#include "standin/document_state.h"

namespace standin {
namespace {

std::unordered_map<const void*, DocumentState*>& Documents() {
  static auto& documents = *new std::unordered_map<const void*, DocumentState*>;
  return documents;
}

struct ObjectBlock {
  std::uintptr_t end = 0;
  DocumentState* owner = nullptr;
};

// By the address of each block's first record: a handle is found with one
// ordered look-up among the blocks, not one hash entry per object.
std::map<std::uintptr_t, ObjectBlock>& ObjectBlocks() {
  static auto& blocks = *new std::map<std::uintptr_t, ObjectBlock>;
  return blocks;
}

std::uintptr_t Address(const void* pointer) { return reinterpret_cast<std::uintptr_t>(pointer); }

int& StrayTouches() {
  static int touches = 0;
  return touches;
}

DocumentState* Lookup(const std::unordered_map<const void*, DocumentState*>& map,
                      const void* handle) {
  if (handle == nullptr) return nullptr;
  const auto found = map.find(handle);
  return found == map.end() ? nullptr : found->second;
}

}  // namespace

// The document found last: nearly every call names the same one.
struct LastDocument {
  const void* handle = nullptr;
  DocumentState* state = nullptr;
};

LastDocument& Last() {
  static LastDocument last;
  return last;
}

void RegisterDocument(const void* handle, DocumentState* state) {
  Documents()[handle] = state;
  Last() = {};
}

void UnregisterDocument(const void* handle) {
  Documents().erase(handle);
  Last() = {};
}

DocumentState* FindDocument(const void* handle) {
  if (handle != nullptr && handle == Last().handle) return Last().state;
  DocumentState* state = Lookup(Documents(), handle);
  if (state != nullptr) Last() = {handle, state};
  return state;
}

void RegisterObjectBlock(const ObjectRecord* first, std::size_t count, DocumentState* owner) {
  ObjectBlocks()[Address(first)] = {Address(first + count), owner};
}

void UnregisterObjectBlock(const ObjectRecord* first) { ObjectBlocks().erase(Address(first)); }

DocumentState* OwnerOf(const void* object) {
  if (object == nullptr) return nullptr;
  const std::uintptr_t address = Address(object);
  auto block = ObjectBlocks().upper_bound(address);
  if (block == ObjectBlocks().begin()) return nullptr;
  --block;
  if (address >= block->second.end || (address - block->first) % sizeof(ObjectRecord) != 0) {
    return nullptr;
  }
  // Inside a live block and on a record boundary: safe to read.
  const auto* record = static_cast<const ObjectRecord*>(object);
  return record->status == ObjectStatus::kUnused ? nullptr : block->second.owner;
}

void CountStrayObjectTouch() { ++StrayTouches(); }
int StrayObjectTouchCount() { return StrayTouches(); }
void ResetStrayObjectTouchCount() { StrayTouches() = 0; }

}  // namespace standin

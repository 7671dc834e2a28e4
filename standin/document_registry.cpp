#include "standin/document_registry.h"

#include <unordered_map>

namespace standin {
namespace {

std::unordered_map<const void*, DocumentState*>& Documents() {
  static auto& documents = *new std::unordered_map<const void*, DocumentState*>;
  return documents;
}

std::unordered_map<const void*, DocumentState*>& Objects() {
  static auto& objects = *new std::unordered_map<const void*, DocumentState*>;
  return objects;
}

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

void RegisterDocument(const void* handle, DocumentState* state) { Documents()[handle] = state; }
void UnregisterDocument(const void* handle) { Documents().erase(handle); }
DocumentState* FindDocument(const void* handle) { return Lookup(Documents(), handle); }

void RegisterObject(const ObjectRecord* object, DocumentState* owner) { Objects()[object] = owner; }
void UnregisterObject(const ObjectRecord* object) { Objects().erase(object); }
DocumentState* OwnerOf(const void* object) { return Lookup(Objects(), object); }

void CountStrayObjectTouch() { ++StrayTouches(); }
int StrayObjectTouchCount() { return StrayTouches(); }
void ResetStrayObjectTouchCount() { StrayTouches() = 0; }

}  // namespace standin

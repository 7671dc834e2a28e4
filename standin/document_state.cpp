#include "standin/document_state.h"

#include <algorithm>
#include <limits>

#include "standin/document_registry.h"

namespace standin {

int32_t ObjectRecord::Value(ValueId id) const {
  const auto found = values.find(static_cast<int32_t>(id));
  return found == values.end() ? 0 : found->second;
}

DocumentState::~DocumentState() { Clear(); }

ObjectRecord* DocumentState::NewObject() {
  objects_.push_back(std::make_unique<ObjectRecord>());
  ObjectRecord* object = objects_.back().get();
  RegisterObject(object, this);
  return object;
}

void DocumentState::Clear() {
  for (const auto& object : objects_) UnregisterObject(object.get());
  objects_.clear();
  slots_.clear();
  current_index = -1;
}

int32_t DocumentState::IndexOf(const ObjectRecord* object) const {
  const auto found = std::find(slots_.begin(), slots_.end(), object);
  if (object == nullptr || found == slots_.end()) return -1;
  return static_cast<int32_t>(found - slots_.begin());
}

ObjectRecord* DocumentState::ObjectAt(int32_t index) const {
  if (index < 0 || index >= SlotCount()) return nullptr;
  return slots_[static_cast<std::size_t>(index)];
}

ObjectRecord* DocumentState::ParentOf(const ObjectRecord* object) const {
  const int32_t index = IndexOf(object);
  if (index < 0) return nullptr;
  const int32_t depth = object->Value(ValueId::kDepth);
  for (int32_t i = index - 1; i >= 0; --i) {
    ObjectRecord* earlier = ObjectAt(i);
    if (earlier != nullptr && earlier->Value(ValueId::kDepth) < depth) return earlier;
  }
  return nullptr;
}

int32_t DocumentState::ChildCountOf(const ObjectRecord* object) const {
  const int32_t index = IndexOf(object);
  if (index < 0) return 0;
  const int32_t depth = object->Value(ValueId::kDepth);
  // A later object of the run is a direct child when nothing between it and
  // `object` is shallower than it: otherwise that shallower object is nearer.
  int32_t shallowest_between = std::numeric_limits<int32_t>::max();
  int32_t children = 0;
  for (int32_t i = index + 1; i < SlotCount(); ++i) {
    const ObjectRecord* later = ObjectAt(i);
    if (later == nullptr) continue;
    const int32_t later_depth = later->Value(ValueId::kDepth);
    if (later_depth <= depth) break;
    if (later_depth <= shallowest_between) ++children;
    shallowest_between = std::min(shallowest_between, later_depth);
  }
  return children;
}

int32_t DocumentState::InsertAfter(ObjectRecord* object, const ObjectRecord* anchor) {
  const int32_t index = anchor == nullptr ? 0 : IndexOf(anchor) + 1;
  slots_.insert(slots_.begin() + index, object);
  object->status = ObjectStatus::kInDocument;
  return index;
}

bool DocumentState::EmptySlot(int32_t index) {
  ObjectRecord* object = ObjectAt(index);
  if (object == nullptr) return false;
  object->status = ObjectStatus::kDead;
  slots_[static_cast<std::size_t>(index)] = nullptr;
  return true;
}

bool DocumentState::ConsumeInsertionFault() {
  if (insertions_until_failure <= 0) return false;
  --insertions_until_failure;
  return insertions_until_failure == 0;
}

int DocumentState::OrphanedClones() const {
  return static_cast<int>(std::count_if(objects_.begin(), objects_.end(), [](const auto& object) {
    return object->status == ObjectStatus::kLoose;
  }));
}

}  // namespace standin

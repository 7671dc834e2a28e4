#include "standin/document_state.h"

#include <algorithm>
#include <limits>

#include "standin/document_registry.h"

namespace standin {

int32_t ObjectValues::Get(int32_t id) const {
  for (std::size_t i = 0; i < in_place_count_; ++i) {
    if (in_place_[i].first == id) return in_place_[i].second;
  }
  for (const auto& [written, value] : more_) {
    if (written == id) return value;
  }
  return 0;
}

void ObjectValues::Set(int32_t id, int32_t value) {
  for (std::size_t i = 0; i < in_place_count_; ++i) {
    if (in_place_[i].first == id) {
      in_place_[i].second = value;
      return;
    }
  }
  for (auto& [written, old_value] : more_) {
    if (written == id) {
      old_value = value;
      return;
    }
  }
  if (in_place_count_ < kInPlace) {
    in_place_[in_place_count_++] = {id, value};
  } else {
    more_.emplace_back(id, value);
  }
}

int32_t ObjectRecord::Value(int32_t id) const { return values.Get(id); }

void ObjectRecord::SetValue(int32_t id, int32_t value) { values.Set(id, value); }

DocumentState::~DocumentState() { Clear(); }

ObjectRecord* DocumentState::NewObject() {
  if (used_in_last_block_ == kBlockSize) {
    blocks_.push_back(std::make_unique<ObjectRecord[]>(kBlockSize));
    RegisterObjectBlock(blocks_.back().get(), kBlockSize, this);
    used_in_last_block_ = 0;
  }
  ObjectRecord* object = &blocks_.back()[used_in_last_block_++];
  object->status = ObjectStatus::kLoose;
  return object;
}

void DocumentState::Clear() {
  for (const auto& block : blocks_) UnregisterObjectBlock(block.get());
  blocks_.clear();
  used_in_last_block_ = kBlockSize;
  slots_.Clear();
  current_index = -1;
}

int32_t DocumentState::IndexOf(const ObjectRecord* object) const {
  if (object == nullptr || object->status != ObjectStatus::kInDocument ||
      object->slot == SlotTree::kNone) {
    return -1;
  }
  return slots_.IndexOfNode(object->slot);
}

ObjectRecord* DocumentState::ObjectAt(int32_t index) const { return slots_.ObjectAt(index); }

ObjectRecord* DocumentState::ParentOf(const ObjectRecord* object) const {
  const int32_t index = IndexOf(object);
  if (index < 0) return nullptr;
  return ObjectAt(slots_.LastShallowerBefore(index, object->Value(ObjectValueId::Depth)));
}

int32_t DocumentState::ChildCountOf(const ObjectRecord* object) const {
  const int32_t index = IndexOf(object);
  if (index < 0) return 0;
  const int32_t depth = object->Value(ObjectValueId::Depth);
  // The first child is the next object, if deeper; each further child is the
  // object that ends the previous child's subtree, if still deeper than
  // `object`.
  constexpr int32_t kAnyDepth = std::numeric_limits<int32_t>::max();
  int32_t children = 0;
  for (int32_t child = slots_.FirstAtMostFrom(index + 1, kAnyDepth);
       child != SlotTree::kNone && slots_.DepthAt(child) > depth;
       child = slots_.FirstAtMostFrom(child + 1, slots_.DepthAt(child))) {
    ++children;
  }
  return children;
}

int32_t DocumentState::InsertAfter(ObjectRecord* object, const ObjectRecord* anchor) {
  const int32_t index = anchor == nullptr ? 0 : IndexOf(anchor) + 1;
  object->slot = slots_.InsertAt(index, object, object->Value(ObjectValueId::Depth));
  object->status = ObjectStatus::kInDocument;
  return index;
}

void DocumentState::AppendSlot(ObjectRecord* object) {
  const int32_t depth = object == nullptr ? 0 : object->Value(ObjectValueId::Depth);
  const int32_t slot = slots_.InsertAt(slots_.Size(), object, depth);
  if (object != nullptr) {
    object->slot = slot;
    object->status = ObjectStatus::kInDocument;
  }
}

bool DocumentState::EmptySlot(int32_t index) {
  ObjectRecord* object = ObjectAt(index);
  if (object == nullptr) return false;
  object->status = ObjectStatus::kDead;
  slots_.Empty(object->slot);
  object->slot = SlotTree::kNone;
  return true;
}

void DocumentState::SetValue(ObjectRecord* object, int32_t value_id, int32_t value) {
  object->SetValue(value_id, value);
  if (value_id == static_cast<int32_t>(ObjectValueId::Depth) && object->slot != SlotTree::kNone) {
    slots_.SetDepth(object->slot, value);
  }
}

bool DocumentState::ConsumeInsertionFault() {
  if (insertions_until_failure <= 0) return false;
  --insertions_until_failure;
  return insertions_until_failure == 0;
}

int DocumentState::OrphanedClones() const {
  int orphans = 0;
  for (const auto& block : blocks_) {
    for (std::size_t i = 0; i < kBlockSize; ++i) {
      if (block[i].status == ObjectStatus::kLoose) ++orphans;
    }
  }
  return orphans;
}

}  // namespace standin

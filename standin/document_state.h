// The inside of a stand-in document: its slots, every object it ever made, the
// current object index and its fault switch and counters. Only the stand-in
// module uses this; tests go through document_control.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "boundary/host_protocol.h"
#include "standin/high_addressed.h"
#include "standin/slot_tree.h"

namespace standin {

// The value ids the reorder engine uses; any other id is kept too.
using rowshift::ObjectValueId;

enum class ObjectStatus {
  kUnused,      // made with its block, not handed out yet
  kInDocument,  // stands in a slot
  kLoose,       // a clone not yet inserted
  kDead,        // deleted from the document or freed: kept only to notice late touches
};

// An object's integer values by identifier; one never written reads 0. The
// first few sit in place, so that copying an object allocates nothing in the
// usual case.
class ObjectValues {
 public:
  int32_t Get(int32_t id) const;
  void Set(int32_t id, int32_t value);

 private:
  static constexpr std::size_t kInPlace = 6;
  std::array<std::pair<int32_t, int32_t>, kInPlace> in_place_{};  // (identifier, value)
  std::size_t in_place_count_ = 0;
  std::vector<std::pair<int32_t, int32_t>> more_;
};

// Its address is the object's handle.
struct ObjectRecord : HighAddressed {
  std::string name;
  ObjectValues values;
  ObjectStatus status = ObjectStatus::kUnused;
  int32_t slot = SlotTree::kNone;  // its slot's node while it stands in the document
  // The object a clone was made from, kept while the document lives (also
  // after that object is deleted); null for an object that is no clone.
  const ObjectRecord* cloned_from = nullptr;

  int32_t Value(int32_t id) const;
  int32_t Value(ObjectValueId id) const { return Value(static_cast<int32_t>(id)); }
  // Only for an object in no slot: DocumentState::SetValue keeps slots in step.
  void SetValue(int32_t id, int32_t value);
  void SetValue(ObjectValueId id, int32_t value) { SetValue(static_cast<int32_t>(id), value); }
};

// Its address is the document's handle.
class DocumentState : public HighAddressed {
 public:
  DocumentState() = default;
  ~DocumentState();
  DocumentState(const DocumentState&) = delete;
  DocumentState& operator=(const DocumentState&) = delete;

  // Makes a loose object owned by this document; registers its handle.
  ObjectRecord* NewObject();
  // Empties every slot and forgets every object (their handles become unknown).
  void Clear();

  // Slot of an object standing in the document, or -1.
  int32_t IndexOf(const ObjectRecord* object) const;
  // The object in a slot, or null for an empty slot or an index out of range.
  ObjectRecord* ObjectAt(int32_t index) const;
  // Nearest earlier object of smaller depth, or null.
  ObjectRecord* ParentOf(const ObjectRecord* object) const;
  // Objects whose parent (as ParentOf) is `object`.
  int32_t ChildCountOf(const ObjectRecord* object) const;
  // Opens a slot after `anchor` (at 0 for null) holding `object`; its index.
  int32_t InsertAfter(ObjectRecord* object, const ObjectRecord* anchor);
  // Opens a slot at the end, holding `object` (null: an empty slot).
  void AppendSlot(ObjectRecord* object);
  // Empties a slot, marking its object dead. False when there is nothing there.
  bool EmptySlot(int32_t index);
  // Writes a value of an object of this document; a depth moves its slot's
  // place in the parent and child look-ups.
  void SetValue(ObjectRecord* object, int32_t value_id, int32_t value);

  // True when the next insertion is the one that must fail (and counts it).
  bool ConsumeInsertionFault();

  // Every slot in order (null for an empty one).
  std::vector<ObjectRecord*> Slots() const { return slots_.InOrder(); }
  int32_t SlotCount() const { return slots_.Size(); }

  int32_t current_index = -1;        // a plain number: insertions do not move it
  int insertions_until_failure = 0;  // 0: no fault armed
  std::string refused_insertion;     // the name of the copy the fault refused
  int dead_object_touches = 0;
  int calls_outside_contract = 0;
  // The last insertion's answer: a refused one (negative) may be asked for.
  int32_t last_insertion_answer = 0;

  int OrphanedClones() const;

 private:
  SlotTree slots_;
  // Every object it ever made, in blocks that never move, so handles stay
  // valid; the last block is filled up to `used_in_last_block_`.
  static constexpr std::size_t kBlockSize = 1024;
  std::vector<std::unique_ptr<ObjectRecord[]>> blocks_;
  std::size_t used_in_last_block_ = kBlockSize;
};

}  // namespace standin

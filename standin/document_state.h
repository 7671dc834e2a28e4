// The inside of a stand-in document: its slots, every object it ever made, the
// current object index and its fault switch and counters. Only the stand-in
// module uses this; tests go through document_control.h.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace standin {

// The identifiers the reorder engine uses; any other identifier is kept too.
enum class ValueId : int32_t { kDepth = 257, kCollapsed = 258, kEligible = 260, kSelected = 262 };

enum class ObjectStatus {
  kInDocument,  // stands in a slot
  kLoose,       // a clone not yet inserted
  kDead,        // deleted from the document or freed: kept only to notice late touches
};

struct ObjectRecord {
  std::string name;
  std::map<int32_t, int32_t> values;  // a value never written reads 0
  ObjectStatus status = ObjectStatus::kLoose;

  int32_t Value(ValueId id) const;
  void SetValue(ValueId id, int32_t value) { values[static_cast<int32_t>(id)] = value; }
};

class DocumentState {
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
  // Empties a slot, marking its object dead. False when there is nothing there.
  bool EmptySlot(int32_t index);

  // True when the next insertion is the one that must fail (and counts it).
  bool ConsumeInsertionFault();

  std::vector<ObjectRecord*>& Slots() { return slots_; }
  const std::vector<ObjectRecord*>& Slots() const { return slots_; }
  int32_t SlotCount() const { return static_cast<int32_t>(slots_.size()); }

  int32_t current_index = -1;        // a plain number: insertions do not move it
  int insertions_until_failure = 0;  // 0: no fault armed
  int dead_object_touches = 0;

  int OrphanedClones() const;

 private:
  std::vector<ObjectRecord*> slots_;  // null: an empty slot
  std::vector<std::unique_ptr<ObjectRecord>> objects_;
};

}  // namespace standin

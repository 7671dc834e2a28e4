// Test controls for the stand-in host's documents.
//
// A document is an ordered list of slots, each holding an object or empty.
// Deletion empties a slot and shifts nothing; insertion after an anchor (or at
// index 0) opens a new slot there and shifts the later ones. An object's parent
// is the nearest earlier object of smaller depth. Every object carries int
// values by identifier (257 depth, 258 collapsed, 260 eligible, 262 selected,
// and any other) and a name; clones carry every value and the name.
//
// The handle the plug-in sees for a document is the address of the document's
// inside (its DocumentState), and for an object the object's address; both are
// high memory (standin/high_addressed.h). Objects removed from a document are kept
// (marked dead) until the document goes, so a late touch of a deleted object is
// counted instead of being undefined behaviour.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "standin/standin_api.h"

namespace standin {

class DocumentState;

class STANDIN_API Document {
 public:
  Document();
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Replaces every slot with those of an outline (outline/outline.h). Returns
  // false and leaves the document empty, with `error` set, for a bad outline.
  bool LoadOutline(const std::string& text, std::string* error = nullptr);
  // The slots as an outline, flags included.
  std::string ToOutline() const;

  // The handle handed to the plug-in.
  void* Handle() { return state_.get(); }

  // The n-th insertion from now (1 = the next) answers -1 and inserts nothing;
  // 0 turns the fault off.
  void FailNthInsertion(int n);
  // The name of the copy that the armed fault refused; empty while it has
  // refused none.
  std::string RefusedInsertion() const;

  // Calls that named an object after it was deleted or freed, or named to
  // this document an object it never held.
  int DeadObjectTouches() const;
  // Calls outside the document contract (contract_checks.h lists them); each
  // still got its ordinary, safe answer.
  int CallsOutsideContract() const;
  // Clones made and not yet inserted or freed (leaked copies).
  int OrphanedClones() const;

  // The handle in a slot without going through an export (nothing is
  // recorded): null for an empty slot or an index out of range. Lets a test
  // see that a moved object is a new object.
  void* ObjectInSlot(int index) const;
  int SlotCount() const;
  // The object a clone was made from, as a handle (kept also after that
  // object was deleted), without going through an export: null for an object
  // that is no clone or a handle this document never made. Lets a test pair a
  // moved object's copy with its original.
  const void* CloneSourceOf(const void* object) const;
  // Writes a value of the object in a slot without going through an export
  // (nothing is recorded or counted); nothing for an empty slot.
  void SetValueInSlot(int index, int32_t value_id, int32_t value);

  DocumentState& State() { return *state_; }
  const DocumentState& State() const { return *state_; }

 private:
  std::unique_ptr<DocumentState> state_;
};

// Whether the document exports write to the call log: off at start, so that a
// long run keeps no log; rowshift-host --trace and the tests that read the
// document's calls switch it on.
STANDIN_API void RecordDocumentCalls(bool on);

// Object-export calls (MQObj_*) that named a handle the stand-in never made or
// whose document is gone: no document can count these.
STANDIN_API int StrayObjectTouches();
STANDIN_API void ResetStrayObjectTouches();

}  // namespace standin

// The current object: read in one place, and followed through an operation
// that moves objects other than it.
#pragma once

#include <cstdint>

#include "engine/document.h"
#include "engine/move_step.h"

namespace rowshift {

// The current object index as the host answered it, and the object it names
// among `count` slots (the count as the caller read it): none when the index
// is negative, names no slot, or names an empty one.
struct CurrentReading {
  int32_t index = -1;
  Object object = nullptr;
};
CurrentReading ReadCurrent(const Document& document, int32_t count);

// Keeps the index naming what it named when the operation began. An object is
// followed through its moves, so that its copy is current at the end. An index
// that named an empty slot follows it as slots are added in front of it, so
// that no object becomes current by chance. A negative index is left as it is,
// and so is one past the list: the host is never asked to make current a slot
// it does not have.
class CurrentObject {
 public:
  // Reads the index; `count` is the slot count as the caller read it.
  CurrentObject(const Document& document, int32_t count);

  // Takes note of one move step: `moved` now stands for `original`.
  void Moved(Object original, const MovedObject& moved);

  // Sets the index once at the end, and only when it must change.
  void Restore(const Document& document) const;

 private:
  int32_t index_ = -1;
  Object object_ = nullptr;
  int32_t empty_slot_ = -1;  // where the slot named at the start now stands; -1: it held an object
};

}  // namespace rowshift

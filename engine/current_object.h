// The current object: read in one place, and kept naming what it named when
// the operation began.
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

// Keeps the index naming what it named when the operation began: an object,
// followed through its moves so that its copy is current at the end, and
// through the slots added in front of it; or an empty slot, followed as slots
// are added in front of it, so that no object becomes current by chance. A
// negative index is left as it is, and so is one past the list: the host is
// never asked to make current a slot it does not have.
class CurrentObject {
 public:
  // Reads the index; `count` is the slot count as the caller read it.
  CurrentObject(const Document& document, int32_t count);

  const CurrentReading& AtStart() const { return start_; }

  // Takes note of one move step of the operation: `moved` now stands for
  // `original`.
  void Moved(Object original, const MovedObject& moved);

  // Sets the index once, after the last move, and only when it must change;
  // `count` is the slot count then.
  void Restore(const Document& document, int32_t count) const;

 private:
  CurrentReading start_;
  Object object_ = nullptr;  // what stands for the current object now
  int32_t slot_ = -1;        // where what the index named stands now; -1: nothing to follow
};

}  // namespace rowshift

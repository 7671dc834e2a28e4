// Which objects a step moved: the document before and after it, compared
// object by object.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "outline/outline.h"

namespace rowshift::tool {

// A document at one moment: its outline and the object in each slot.
struct DocumentSnapshot {
  std::string text;                       // the slots as an outline
  std::vector<outline::OutlineRow> rows;  // one per slot; none when the text does not read back
  std::vector<const void*> objects;       // one per slot, null for an empty slot (always)
  // The object an object was cloned from, or null, as the document answers
  // for any object it made (the document outlives the snapshot). Unset: no
  // object counts as a copy.
  std::function<const void*(const void*)> clone_source;
};

// Which objects moved from `before` to `after`, by slot before. An object
// that kept its handle is itself; one the plug-in re-created is paired with
// its copy, the first object after that was cloned from it, directly or
// through copies made in between (several steps). A re-created
// object moved when it follows another kept object than before (or leaves
// the order of the copies around it); any object moved when its depth
// changed. An object moved only with its parent was carried. Time and memory
// in proportion to the slots (times the copies in between, for a copy).
struct ObjectMoves {
  std::vector<long> slot_after;  // the slot of the object or its copy after, or -1
  std::vector<bool> moved;
  std::vector<bool> carried;  // moved with a moved parent before
};
ObjectMoves FindMoves(const DocumentSnapshot& before, const DocumentSnapshot& after);

}  // namespace rowshift::tool

// The document as rowshift-host shows it: its state before and after a step,
// what changed between the two, and its outline without empty slots.
#pragma once

#include <string>
#include <vector>

#include "outline/outline.h"

namespace standin {
class Document;
}

namespace rowshift::tool {

// A document at one moment: its outline and the object in each slot.
struct DocumentSnapshot {
  std::string text;                       // the slots as an outline
  std::vector<outline::OutlineRow> rows;  // one per slot; none when the text does not read back
  std::vector<const void*> objects;       // one per slot, null for an empty slot (always)
};

DocumentSnapshot TakeSnapshot(const standin::Document& document);

// Which objects moved from `before` to `after`, by slot before. An object
// that kept its handle is itself; one the plug-in re-created is paired with
// the first new object of its name. A re-created object moved when it follows
// another kept object than before (or leaves the order of the copies around
// it); any object moved when its depth changed. An object moved only with
// its parent was carried. Time and memory in proportion to the slots.
struct ObjectMoves {
  std::vector<long> slot_after;  // the slot of the object or its copy after, or -1
  std::vector<bool> moved;
  std::vector<bool> carried;  // moved with a moved parent before
};
ObjectMoves FindMoves(const DocumentSnapshot& before, const DocumentSnapshot& after);

// What changed from `before` to `after`, in words: "moved Vase; 1 empty slot
// left", "current object now Arm", "nothing changed". An object that the
// plug-in re-created where it stood has not moved; one that only travelled
// inside a moved object is not named.
std::string DescribeChange(const DocumentSnapshot& before, const DocumentSnapshot& after);

// `text` without its empty slots, but for one that is current.
std::string CompactOutline(const std::string& text);

}  // namespace rowshift::tool

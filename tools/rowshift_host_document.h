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

// What changed from `before` to `after`, in words: "moved Vase; 1 empty slot
// left", "current object now Arm", "nothing changed". An object that the
// plug-in re-created where it stood has not moved; one that only travelled
// inside a moved object is not named.
std::string DescribeChange(const DocumentSnapshot& before, const DocumentSnapshot& after);

// `text` without its empty slots, but for one that is current.
std::string CompactOutline(const std::string& text);

}  // namespace rowshift::tool

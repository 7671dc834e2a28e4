// The document as rowshift-host shows it: its state before and after a step,
// what changed between the two, and its outline without empty slots.
#pragma once

#include <string>
#include <vector>

#include "outline/outline.h"
#include "tools/rowshift_host/rowshift_host_object_moves.h"

namespace rowshift::tool {

class StandinDocument;

// How the document's own text is read back: as it stands, also with an object
// more than one level below the one in front, so that a plug-in that left such
// a list is shown what it did instead of an empty report.
inline outline::ParseOptions AsTheHostHoldsIt() {
  outline::ParseOptions options;
  options.allow_depth_jumps = true;
  return options;
}

// The document as the host holds it now. It asks the document what each copy
// was cloned from, so the document must outlive it.
DocumentSnapshot TakeSnapshot(const StandinDocument& document);

// What changed from `before` to `after`, in words: "moved Vase; 1 empty slot
// left", "current object now Arm", "nothing changed". An object that the
// plug-in re-created where it stood has not moved; one that only travelled
// inside a moved object is not named.
std::string DescribeChange(const DocumentSnapshot& before, const DocumentSnapshot& after);

// `text` without its empty slots, but for one that is current.
std::string CompactOutline(const std::string& text);

}  // namespace rowshift::tool

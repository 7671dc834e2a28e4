// The objects that Move to top, Move to bottom and Gather act on, listed
// before anything moves.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/current_object.h"
#include "engine/document.h"
#include "engine/subtree.h"

namespace rowshift {

struct SelectedGroup {
  Mover target;  // none: no target
  std::vector<Mover> members;
};

// Every object whose Eligible and Selected values are both nonzero, in list
// order, among the first `count` slots, each with its descendants, leaving out
// those that lie in the subtree of an earlier member: they travel inside it.
// The members' subtrees are disjoint and follow their members. The current
// object `target`, when it qualifies and lies in no member's subtree, is the
// target instead of a member, and the selected objects in its subtree stay
// candidates; its descendants are not collected. Subtrees are judged by depth
// alone: an object that is not eligible still ends the one in front.
SelectedGroup ListSelectedGroup(const Document& document, int32_t count,
                                const CurrentReading& target = {});

}  // namespace rowshift

// The objects that Move to top and Move to bottom act on, listed before
// anything moves.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/document.h"
#include "engine/subtree.h"

namespace rowshift {

struct GroupMember {
  Object object = nullptr;
  int32_t depth = 0;  // as read when listed
  Subtree subtree;    // its descendants, which travel with it
};

// Every object whose Eligible and Selected values are both nonzero, in list
// order, among the first `count` slots, leaving out those that lie in the
// subtree of an earlier member: they travel inside it at their relative
// depth. The members' subtrees are disjoint and follow their members.
std::vector<GroupMember> ListSelectedGroup(const Document& document, int32_t count);

}  // namespace rowshift
